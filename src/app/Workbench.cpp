#include "app/Workbench.h"

namespace zw {

Workbench::Workbench(ViewHost* domainHost, CGRect domainFrame, ViewHost* rangeHost,
                     CGRect rangeFrame, Sender* inverseImages) {
    makePlanes(domainHost, domainFrame, rangeHost, rangeFrame, inverseImages);
    wake();
}

void Workbench::makePlanes(ViewHost* domainHost, CGRect domainFrame, ViewHost* rangeHost,
                           CGRect rangeFrame, Sender* inverseImages) {
    domain_ = std::make_unique<DomainView>(domainHost, domainFrame);
    range_ = std::make_unique<RangeView>(rangeHost, rangeFrame);
    controller.domain = domain_.get();
    controller.range = range_.get();
    controller.transformations = &transformations;
    controller.inverseImages = inverseImages;
    domain_->controller = &controller;
    range_->controller = &controller;
}

void Workbench::wake() {
    domain_->awakeFromNib();
    range_->awakeFromNib();
    controller.awakeFromNib();
}

}  // namespace zw
