#pragma once

#include <memory>
#include <vector>

#include "planes/Path.h"
#include "platform/Translatable.h"

namespace zw {

class Controller;

// Recomputes the images of every domain path, the removed ones included, under the current
// function, keeping each image's colour and the order of the lists. The images are swapped in
// place, keyed by their domain path, so the step undoes cleanly whatever the path history did
// in between.
class ImageRedraw {
  public:
    static constexpr const char* kActionName = QT_TRANSLATE_NOOP("zw::Commands", "Redraw Images");

    static void redrawImagesUnderCurrentFunction(Controller& controller);

    struct Saved {
        const Path* source = nullptr;
        std::unique_ptr<Path> range;
        std::unique_ptr<Path> domain;
    };
    using SavedList = std::vector<Saved>;

    // The same without an undo step, for a parameter's live change: the list returned holds
    // the images that were showing, which swap(controller, list) puts back.
    static std::shared_ptr<SavedList> retrace(Controller& controller);
    // Swaps the saved images with those the planes hold for the same domain paths.
    static void swap(Controller& controller, SavedList& saved);

  private:
    // swap, and the reverse swap recorded as the undo step.
    static void exchange(Controller& controller, const std::shared_ptr<SavedList>& saved);
    static std::unique_ptr<Path> imageLike(const Path* old);
};

}  // namespace zw
