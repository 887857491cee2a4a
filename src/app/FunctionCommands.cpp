#include "app/CommandRows.h"

#include <utility>

#include "app/Workbench.h"
#include "engine/Catalogue.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"

namespace zw::commandrows {

namespace {

// formula.
std::string functionKey(const Workbench& w) {
    const ActiveFunction& active = w.transformations.activeFunction();
    return active.kind == ActiveFunction::Kind::Formula ? std::string(command::kFormula)
                                                        : active.title;
}

// The item as the sender of a catalogue choice: the function is the one the row names, whatever
// the item shows (a translation, a desktop's added mnemonic).
class CatalogueChoice final : public Sender {
  public:
    CatalogueChoice(Sender* item, std::string title) : item_(item), title_(std::move(title)) {}

    std::string title() const override { return title_; }
    int state() const override { return item_ != nullptr ? item_->state() : 0; }
    void setState(int state) override {
        if (item_ != nullptr) {
            item_->setState(state);
        }
    }
    Window* window() override { return item_ != nullptr ? item_->window() : nullptr; }

  private:
    Sender* item_;
    std::string title_;
};

Reading functionIs(std::string key) {
    return [key = std::move(key)](const Workbench& w) { return functionKey(w) == key; };
}

}  // namespace

void addFunction(std::vector<Command>& t) {
    t.push_back(menu("function", "", QT_TRANSLATE_NOOP("zw::Commands", "F&unction")));
    for (const catalogue::Entry& entry : catalogue::functions()) {
        t.push_back(grouped(item(std::string(command::kFunctionPrefix) + entry.title, "function",
                                 entry.title, entry.help,
                                 [title = std::string(entry.title)](Workbench& w, Sender* s) {
                                     CatalogueChoice choice(s, title);
                                     w.controller.setFunction(&choice);
                                 }),
                            "function", functionIs(entry.title)));
    }
    // Over whatever f is chosen, now or later; t goes on the Parameters panel. Between the
    // catalogue and the dialogs, so that the menu's ends keep their places for the keyboard.
    t.push_back(after(option(
        item(command::kMorph, "function", QT_TRANSLATE_NOOP("zw::Commands", "Morph from Identity"),
             QT_TRANSLATE_NOOP(
                 "zw::Commands",
                 "w = (1 − t)z + t f(z), with t on the Parameters panel; no inverse while t < 1"),
             [](Workbench& w, Sender* s) {
                 w.parameters.setMorph(!w.parameters.morphing());
                 if (s != nullptr) {
                     s->setState(w.parameters.morphing() ? 1 : 0);
                 }
             }),
        [](const Workbench& w) { return w.parameters.morphing(); })));
    // These carry the mark while their map or the formula is in use; opening the dialog changes
    // nothing until it is confirmed.
    t.push_back(
        after(grouped(keyed(item(command::kMobiusMap, "function",
                                 QT_TRANSLATE_NOOP("zw::Commands", "Möbius Map..."),
                                 QT_TRANSLATE_NOOP("zw::Commands",
                                                   "w = (az + b)/(cz + d) with complex a, b, c, d; "
                                                   "inverse: z = (dw − b)/(a − cw)")),
                            "Ctrl+Shift+M"),
                      "function", functionIs(catalogue::kMobiusMap))));
    t.push_back(grouped(
        keyed(item(command::kPolynomial, "function",
                   QT_TRANSLATE_NOOP("zw::Commands", "Cubic Polynomial..."),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "w = az³ + bz² + cz + d with complex a, b, c, d; no inverse")),
              "Ctrl+Shift+P"),
        "function", functionIs(catalogue::kPolynomial)));
    t.push_back(
        grouped(keyed(item(command::kAffineMap, "function",
                           QT_TRANSLATE_NOOP("zw::Commands", "Affine Map..."),
                           QT_TRANSLATE_NOOP("zw::Commands",
                                             "w = (u + ax + cy) + i(v + bx + dy) for z = x + iy, "
                                             "with real u, v, a, b, c, d; "
                                             "inverse: the inverse matrix, where ad − bc ≠ 0")),
                      "Ctrl+Shift+A"),
                "function", functionIs(catalogue::kAffineMap)));
    t.push_back(grouped(
        keyed(item(command::kFormula, "function", QT_TRANSLATE_NOOP("zw::Commands", "Formula..."),
                   QT_TRANSLATE_NOOP(
                       "zw::Commands",
                       "w = a formula in z you type, e.g. sin(z)^2 + 1/(z-1); inverse: the "
                       "formula in w you give with it, if any")),
              "Ctrl+Shift+F"),
        "function", functionIs(command::kFormula)));
}

}  // namespace zw::commandrows
