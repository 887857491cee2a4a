#include "session/SessionTreeBuilder.h"

#include <limits>

#include "session/JsonPlace.h"
#include "session/PrintableText.h"
#include "session/SessionReader.h"

namespace zw {

namespace {
const char* const kNotAPoint = "a point must be two numbers, or null where it is not finite";
const char* const kLoneBreak = "a break (null) must stand between two points";
}  // namespace

bool SessionTreeBuilder::start_array(std::size_t) {
    if (inList_) {
        return entryOpen(true);
    }
    if (!stack_.empty() && stack_.back()->is_object() && key_ == "points") {
        if (!deepEnough(1)) {
            return false;
        }
        lists.emplace_back();
        inList_ = true;
        depth_ = 0;
        entry_ = 0;
        pendingBreak_ = false;
        return put(Json::binary({}, lists.size() - 1));
    }
    return open(Json::array());
}

bool SessionTreeBuilder::parse_error(std::size_t position, const std::string&,
                                     const nlohmann::detail::exception& ex) {
    const std::size_t at = position > 0 ? position - 1 : 0;
    error_ = "line " + std::to_string(lineAt(text_, at)) +
             ": not a zwmap session (the file is not JSON: " + parserMessage(ex.what()) + ")";
    return false;
}

std::string SessionTreeBuilder::parserMessage(std::string what) {
    if (what.rfind("[json.exception.", 0) == 0) {
        const std::size_t close = what.find("] ");
        what = close == std::string::npos ? std::string() : what.substr(close + 2);
    }
    if (what.rfind("parse error", 0) == 0) {
        const std::size_t colon = what.find(": ");
        if (colon != std::string::npos) {
            what = what.substr(colon + 2);
        }
    }
    return printable(what, 120);
}

bool SessionTreeBuilder::deepEnough(std::size_t more) {
    if (stack_.size() + more > kMaxDepth) {
        error_ = "not a zwmap session (nested too deeply)";
        return false;
    }
    return true;
}

bool SessionTreeBuilder::counted() {
    if (++values_ > SessionReader::kMaxValues) {
        error_ = "the session holds more than " + std::to_string(SessionReader::kMaxValues) +
                 " values besides its points";
        return false;
    }
    return true;
}

bool SessionTreeBuilder::put(Json&& v) {
    if (!counted()) {
        return false;
    }
    if (stack_.empty()) {
        root = std::move(v);
        last_ = &root;
    } else if (stack_.back()->is_array()) {
        stack_.back()->push_back(std::move(v));
        last_ = &stack_.back()->back();
    } else {
        // A key given twice: its last value, as for any JSON reader.
        Json& slot = (*stack_.back())[key_];
        slot = std::move(v);
        last_ = &slot;
    }
    return true;
}

bool SessionTreeBuilder::open(Json&& container) {
    if (!deepEnough(1) || !put(std::move(container))) {
        return false;
    }
    stack_.push_back(last_);
    return true;
}

bool SessionTreeBuilder::close() {
    stack_.pop_back();
    return true;
}

PointList& SessionTreeBuilder::list() {
    return lists.back();
}

void SessionTreeBuilder::markBad(std::size_t entry, const char* why) {
    PointList& l = list();
    if (!l.bad) {
        l.bad = true;
        l.badEntry = entry;
        l.why = why;
        l.points = {};
        l.moves = {};
    }
}

bool SessionTreeBuilder::entryDone(bool isPoint) {
    if (++points_ > SessionReader::kMaxPoints) {
        error_ =
            "the session holds more than " + std::to_string(SessionReader::kMaxPoints) + " points";
        return false;
    }
    if (!isPoint) {
        markBad(entry_, kNotAPoint);
    } else if (!list().bad) {
        if (pendingBreak_) {
            list().moves.push_back(list().points.size());
        }
        list().points.push_back({coords_[0], coords_[1]});
    }
    pendingBreak_ = false;
    ++entry_;
    return true;
}

bool SessionTreeBuilder::entryNumber(double v) {
    if (depth_ == 0) {
        return entryDone(false);
    }
    if (depth_ == 1 && count_ < 2) {
        coords_[count_] = v;
    } else {
        pointOk_ = false;
    }
    ++count_;
    return true;
}

bool SessionTreeBuilder::entryNull() {
    if (depth_ > 0) {
        return entryNumber(std::numeric_limits<double>::quiet_NaN());
    }
    if (entry_ == 0 || pendingBreak_) {
        markBad(entry_, kLoneBreak);
    }
    pendingBreak_ = true;
    ++entry_;
    return true;
}

bool SessionTreeBuilder::entryOther() {
    if (depth_ == 0) {
        return entryDone(false);
    }
    pointOk_ = false;
    return true;
}

bool SessionTreeBuilder::entryOpen(bool isArray) {
    if (!deepEnough(2 + depth_)) {
        return false;
    }
    if (depth_ == 0) {
        pointOk_ = isArray;
        count_ = 0;
    } else {
        pointOk_ = false;
    }
    ++depth_;
    return true;
}

bool SessionTreeBuilder::entryClose() {
    if (depth_ == 0) {
        if (pendingBreak_ && entry_ > 0) {
            markBad(entry_ - 1, kLoneBreak);
        }
        inList_ = false;
        return true;
    }
    if (--depth_ == 0) {
        return entryDone(pointOk_ && count_ == 2);
    }
    return true;
}

}  // namespace zw
