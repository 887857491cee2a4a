#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

class Sender;
class Workbench;

// Keys that each desktop binds its own way. Where the desktop's theme binds none, the command's
// own keys stand in.
enum class StandardKey { None, New, Open, Save, SaveAs, Quit, Undo, Redo, ZoomIn, ZoomOut };

// How a checkable item's mark is kept.
enum class Mark {
    None,   // not checkable
    Logic,  // the action reads the mark from before the click and sets the new one itself
    Group,  // one of an exclusive group: a click checks it; the core's state decides after
    Own,    // the item keeps its own mark, starting at `startsChecked`; the action reads it
};

// One menu or one menu item: where it sits, what it shows, how its state is read from the core
// and what it does. The identity is the id, never the title: titles are translated.
struct Command {
    enum class Kind { Menu, Item };
    using Reading = std::function<bool(const Workbench&)>;

    Kind kind = Kind::Item;
    std::string id;
    // The id of the menu it sits in (empty: the menu bar); in that menu, after the rows before it.
    std::string menu;
    // The English text, '&' before the mnemonic letter ("&&" is an ampersand).
    std::string title;
    bool separatorBefore = false;

    StandardKey standard = StandardKey::None;
    // All of the standard key's bindings, rather than its first.
    bool everyBinding = false;
    // Portable key text ("Ctrl+Alt+="): the keys, or the stand-in for the standard key.
    std::string keys;

    std::string tip;
    Mark mark = Mark::None;
    std::string group;  // the exclusive group of a Mark::Group item
    bool startsChecked = false;

    Reading checked;  // null: the mark is not read from the core
    Reading enabled;  // null: always enabled
    // The title as it reads now ("Undo Last Path Drawn"); null: always `title`.
    std::function<std::string(const Workbench&)> liveTitle;
    // Null: the window binds the action (it opens a dialog or a file, or shows help).
    std::function<void(Workbench&, Sender*)> run;
};

// Every menu and item, menus before their items, in the order they show.
const std::vector<Command>& commands();
// Every row in the order the menus show them: a submenu's rows in its place.
std::vector<const Command*> inMenuOrder();
// The row with this id, or null.
const Command* findCommand(std::string_view id);
// A title without mnemonic markers: a lone '&' dropped, "&&" read as '&'.
std::string plainTitle(std::string_view title);
// "Domain > Path Colour > Black": the plain titles from the menu bar down to the row.
std::string placeOf(const Command& command);

// The ids of the commands whose actions the window binds, and of those it reads.
namespace command {
inline constexpr char kNew[] = "file.new";
inline constexpr char kOpen[] = "file.open";
inline constexpr char kOpenRecent[] = "file.openRecent";
inline constexpr char kClearRecent[] = "file.openRecent.clear";
inline constexpr char kSave[] = "file.save";
inline constexpr char kSaveAs[] = "file.saveAs";
inline constexpr char kExportPicture[] = "file.exportPicture";
inline constexpr char kQuit[] = "file.quit";
inline constexpr char kAddCircle[] = "edit.addCircle";
inline constexpr char kAddLine[] = "edit.addLine";
inline constexpr char kMobiusMap[] = "function.mobiusMap";
inline constexpr char kPolynomial[] = "function.polynomial";
inline constexpr char kAffineMap[] = "function.affineMap";
inline constexpr char kFormula[] = "function.formula";
inline constexpr char kMorph[] = "function.morph";
inline constexpr char kInverseImages[] = "domain.inverseImages";
inline constexpr char kLinkedCursor[] = "view.linkedCursor";
inline constexpr char kResetSettings[] = "view.resetSettings";
inline constexpr char kParameters[] = "view.parameters";
inline constexpr char kKeysAndMouse[] = "help.keysAndMouse";
inline constexpr char kFunctions[] = "help.functions";
inline constexpr char kAbout[] = "help.about";
// A catalogue function's item: the prefix and the catalogue title, which sessions keep too.
inline constexpr char kFunctionPrefix[] = "function.catalogue.";
}  // namespace command

}  // namespace zw
