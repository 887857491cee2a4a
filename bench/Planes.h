#pragma once

#include "app/Controller.h"
#include "engine/Transformations.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::bench {

// Both planes, 400 by 400 unless told otherwise, without a platform host, wired to a
// controller and woken as the application does at start-up.
struct Planes {
    Transformations transformations;
    Controller controller;
    DomainView domain;
    RangeView range;

    explicit Planes(CGSize size = {400, 400})
        : domain(nullptr, {{0, 0}, size}), range(nullptr, {{0, 0}, size}) {
        controller.domain = &domain;
        controller.range = &range;
        controller.transformations = &transformations;
        domain.controller = &controller;
        range.controller = &controller;
        domain.awakeFromNib();
        range.awakeFromNib();
        controller.awakeFromNib();
    }
};

}  // namespace zw::bench
