#include "session/SessionScene.h"

#include "session/Session.h"

namespace zw {

SessionScene::SessionScene(CGSize domainSize, CGSize rangeSize)
    : domainHost_(domainSize, &undo_), rangeHost_(rangeSize, &undo_) {
    domain_ = std::make_unique<DomainView>(&domainHost_, CGRect{{0.0, 0.0}, domainSize});
    range_ = std::make_unique<RangeView>(&rangeHost_, CGRect{{0.0, 0.0}, rangeSize});
    controller_.domain = domain_.get();
    controller_.range = range_.get();
    controller_.transformations = &transformations_;
    domain_->controller = &controller_;
    range_->controller = &controller_;
    domain_->awakeFromNib();
    range_->awakeFromNib();
    controller_.awakeFromNib();
}

void SessionScene::apply(const Session& session) {
    session.apply(controller_);
}

}  // namespace zw
