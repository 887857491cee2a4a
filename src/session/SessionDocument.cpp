#include "session/SessionDocument.h"

#include "app/Controller.h"
#include "platform/Alerts.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionWriter.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

SessionDocument::SessionDocument(Controller* controller) : controller_(controller) {}

std::string SessionDocument::displayName() const {
    if (path_.empty()) {
        return "Untitled";
    }
    const std::size_t slash = path_.find_last_of('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

// The paths as they stand: which ones, and how far each is drawn. Drawing, removing,
// restoring or clearing changes it; panning and zooming do not. Undoing back to the saved
// paths gives the saved mark again.
SessionDocument::Mark SessionDocument::mark() const {
    Mark m;
    if (controller_ == nullptr || controller_->domain == nullptr) {
        return m;
    }
    for (const auto& path : controller_->domain->paths) {
        m.emplace_back(path.get(), path->elementCount());
    }
    return m;
}

bool SessionDocument::isModified() const {
    return mark() != saved_;
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

bool SessionDocument::save(const std::string& path, const Writer& write, std::string& error) {
    const std::string bytes = SessionWriter::write(Session::capture(*controller_));
    if (!write(path, bytes, error)) {
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
    const int answer = runAlertPanel("Save changes to " + displayName() + "?",
                                     "The paths drawn since it was last saved are lost otherwise.",
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
