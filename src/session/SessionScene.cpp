#include "session/SessionScene.h"

#include "session/Session.h"

namespace zw {

SessionScene::SessionScene(CGSize domainSize, CGSize rangeSize)
    : domainHost_(domainSize, &workbench_.undoManager),
      rangeHost_(rangeSize, &workbench_.undoManager) {
    workbench_.makePlanes(&domainHost_, CGRect{{0.0, 0.0}, domainSize}, &rangeHost_,
                          CGRect{{0.0, 0.0}, rangeSize});
    workbench_.wake();
}

void SessionScene::apply(const Session& session) {
    session.apply(workbench_.controller);
}

}  // namespace zw
