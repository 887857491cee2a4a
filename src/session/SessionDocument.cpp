#include "session/SessionDocument.h"

#include <bit>
#include <string>
#include <utility>

#include "app/Controller.h"
#include "platform/Alerts.h"
#include "platform/Translatable.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionWriter.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

SessionDocument::SessionDocument(Controller* controller)
    : controller_(controller), saved_(mark()) {}

std::string SessionDocument::displayName() const {
    if (path_.empty()) {
        return QT_TRANSLATE_NOOP("zw::Alerts", "Untitled");
    }
    const std::size_t slash = path_.find_last_of('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

// Cheap enough for every event: the settings are a few hundred bytes of JSON, and each path
// counts once whatever its length. The paths' ends tell a new path from an old one that a
// path object freed at the same address would otherwise look like; they are taken in true
// coordinates, as the file has them, since a pane's change of size moves every path's view
// coordinates.
SessionDocument::Mark SessionDocument::mark() const {
    Mark m;
    if (controller_ == nullptr || controller_->domain == nullptr || controller_->range == nullptr) {
        return m;
    }
    m.settings = SessionWriter::write(Session::capture(*controller_, Session::Paths::Omitted));
    const PlaneView& domain = *controller_->domain;
    const PlaneView& range = *controller_->range;
    const std::pair<const PathList*, const PlaneView*> lists[] = {
        {&domain.paths, &domain},
        {&controller_->domain->transformedPathsShownInDomain, &domain},
        {&range.paths, &range},
        {&controller_->range->drawnPaths, &range}};
    for (const auto& [list, plane] : lists) {
        for (const auto& path : *list) {
            PathMark p{path.get(), path->elementCount(), 0, 0, 0, 0};
            if (p.count > 0) {
                const CGPoint first =
                    plane->viewCoordinatesToTrueCoordinates(path->elements().front().point);
                const CGPoint last =
                    plane->viewCoordinatesToTrueCoordinates(path->elements().back().point);
                p.firstX = std::bit_cast<std::uint64_t>(first.x);
                p.firstY = std::bit_cast<std::uint64_t>(first.y);
                p.lastX = std::bit_cast<std::uint64_t>(last.x);
                p.lastY = std::bit_cast<std::uint64_t>(last.y);
            }
            m.paths.push_back(p);
        }
        // A path that moves from one list to the next is no longer where it was.
        m.paths.push_back(PathMark{nullptr, 0, 0, 0, 0, 0});
    }
    return m;
}

bool SessionDocument::isModified() const {
    return mark() != saved_;
}

void SessionDocument::markUnmodified() {
    saved_ = mark();
}

void SessionDocument::markStart() {
    if (controller_ != nullptr && controller_->domain != nullptr && controller_->range != nullptr) {
        start_ = Session::capture(*controller_);
    }
    saved_ = mark();
}

void SessionDocument::startNew() {
    if (start_) {
        // Applying empties the undo history too: nothing before New can be undone into.
        start_->apply(*controller_);
    }
    path_.clear();
    saved_ = mark();
}

bool SessionDocument::open(const std::string& path, std::string& error) {
    Session session;
    if (!SessionReader::load(path, session, error)) {
        return false;
    }
    session.apply(*controller_);
    path_ = path;
    saved_ = mark();
    return true;
}

bool SessionDocument::openRecovered(const std::string& copy, const std::string& path,
                                    std::string& error) {
    if (!open(copy, error)) {
        return false;
    }
    path_ = path;
    // No session compares equal to an empty mark: it stays modified until it is saved.
    saved_ = Mark{};
    return true;
}

bool SessionDocument::contents(std::string& bytes, std::string& error) const {
    // The program keeps its paths within what a file may hold (DomainView::kMaxHeldPoints);
    // this is the last word, so that nothing is ever written that would not open again.
    const Session session = Session::capture(*controller_);
    std::size_t points = 0;
    std::size_t entries = 0;
    for (const auto* list :
         {&session.domain.paths, &session.range.paths, &session.transformedPathsShownInDomain}) {
        entries += list->size();
        for (const Session::Path& p : *list) {
            points += p.points.size();
        }
    }
    for (const Session::RangePath& r : session.rangePaths) {
        entries += 1 + r.preimages.size();
        points += r.path.points.size();
        for (const Session::Path& p : r.preimages) {
            points += p.points.size();
        }
    }
    // Each path in each list is seven values besides its points; the rest are fewer than 100.
    if (points > SessionReader::kMaxPoints || 7 * entries + 100 > SessionReader::kMaxValues) {
        error = "the session is too large to save (" + std::to_string(points) + " points in " +
                std::to_string(session.domain.paths.size()) + " paths); clear some paths first";
        return false;
    }
    bytes = SessionWriter::write(session);
    if (bytes.size() > SessionReader::kMaxFileBytes) {
        error = "the session is too large to save (" + std::to_string(bytes.size() >> 20) +
                " MB; at most " + std::to_string(SessionReader::kMaxFileBytes >> 20) +
                " MB); clear some paths first";
        return false;
    }
    return true;
}

bool SessionDocument::save(const std::string& path, const Writer& write, std::string& error) {
    std::string bytes;
    if (!contents(bytes, error) || !write(path, bytes, error)) {
        return false;
    }
    path_ = path;
    saved_ = mark();
    return true;
}

SessionDocument::Choice SessionDocument::askToSave() const {
    if (!isModified()) {
        return Choice::Discard;
    }
    // Escape answers the alternate button, so a stray key never throws paths away.
    const int answer = runAlertPanel(
        "Save changes to " + displayName() + "?",
        QT_TRANSLATE_NOOP("zw::Alerts",
                          "The changes made since it was last saved are lost otherwise."),
        "Save", "Cancel", "Discard");
    switch (answer) {
        case kAlertDefaultReturn:
            return Choice::Save;
        case kAlertOtherReturn:
            return Choice::Discard;
        default:
            return Choice::Cancel;
    }
}

}  // namespace zw
