#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Geometry.h"

namespace zw {

// A list of points, kept out of the tree: there a point would cost about a hundred bytes, here
// sixteen. What is wrong with it is kept for the reader, which says so in its own order.
struct PointList {
    std::vector<CGPoint> points;
    std::vector<std::size_t> moves;
    bool bad = false;
    std::size_t badEntry = 0;
    std::string why;
};

// Builds the tree in one pass over the text, with every list named "points" taken out into a
// PointList (the tree holds its index), and counts as it goes: a file of ten million points is
// turned away before ten million values are made. Keys are found in a tree, not searched in
// order, so that an object with a million keys costs no more than a million values.
class SessionTreeBuilder : public nlohmann::json_sax<nlohmann::json> {
    using Json = nlohmann::json;

  public:
    explicit SessionTreeBuilder(std::string_view text) : text_(text) {}

    Json root;
    std::vector<PointList> lists;
    const std::string& error() const { return error_; }

    bool null() override { return inList_ ? entryNull() : put(Json(nullptr)); }
    bool boolean(bool b) override { return inList_ ? entryOther() : put(Json(b)); }
    bool number_integer(number_integer_t v) override {
        return inList_ ? entryNumber(static_cast<double>(v)) : put(Json(v));
    }
    bool number_unsigned(number_unsigned_t v) override {
        return inList_ ? entryNumber(static_cast<double>(v)) : put(Json(v));
    }
    bool number_float(number_float_t v, const string_t&) override {
        return inList_ ? entryNumber(v) : put(Json(v));
    }
    bool string(string_t& s) override { return inList_ ? entryOther() : put(Json(std::move(s))); }
    bool binary(binary_t&) override { return inList_ ? entryOther() : put(Json(nullptr)); }
    bool key(string_t& k) override {
        if (!inList_) {
            key_ = std::move(k);
        }
        return true;
    }
    bool start_object(std::size_t) override {
        return inList_ ? entryOpen(false) : open(Json::object());
    }
    bool end_object() override { return inList_ ? entryClose() : close(); }
    bool start_array(std::size_t) override;
    bool end_array() override { return inList_ ? entryClose() : close(); }

    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception& ex) override;

  private:
    static constexpr std::size_t kMaxDepth = 32;

    // "[json.exception.parse_error.101] parse error at line 1, column 2: <what>": the what.
    static std::string parserMessage(std::string what);

    bool deepEnough(std::size_t more);
    bool counted();

    // Children go only into the innermost open container, so a pointer to it stays valid.
    bool put(Json&& v);
    bool open(Json&& container);
    bool close();

    // ---- Entries of a point list: a point [x, y], or null for a break.
    PointList& list();
    void markBad(std::size_t entry, const char* why);

    // A point's end, or anything else ending at the list's own level.
    bool entryDone(bool isPoint);

    bool entryNumber(double v);
    bool entryNull();
    bool entryOther();
    bool entryOpen(bool isArray);
    bool entryClose();

    std::string_view text_;
    std::vector<Json*> stack_;
    Json* last_ = nullptr;
    std::string key_;
    std::size_t values_ = 0;
    std::size_t points_ = 0;
    std::string error_;

    bool inList_ = false;
    std::size_t depth_ = 0;
    std::size_t entry_ = 0;
    bool pendingBreak_ = false;
    bool pointOk_ = false;
    std::size_t count_ = 0;
    double coords_[2] = {0.0, 0.0};
};

}  // namespace zw
