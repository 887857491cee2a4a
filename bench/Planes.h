#pragma once

#include "app/Workbench.h"

namespace zw::bench {

// Both planes, 400 by 400 unless told otherwise, without a platform host, wired to a
// controller and woken as the application does at start-up.
struct Planes {
    Workbench workbench;
    Transformations& transformations = workbench.transformations;
    Controller& controller = workbench.controller;
    DomainView& domain;
    RangeView& range;

    explicit Planes(CGSize size = {400, 400})
        : workbench(nullptr, {{0, 0}, size}, nullptr, {{0, 0}, size}),
          domain(*workbench.domain()),
          range(*workbench.range()) {}
};

}  // namespace zw::bench
