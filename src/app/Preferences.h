#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Where preferences are kept between runs: the window's settings file, or a map in tests.
class PreferenceStore {
  public:
    virtual ~PreferenceStore() = default;
    // Empty when nothing is kept under `key`.
    virtual std::optional<std::string> read(const std::string& key) const = 0;
    virtual void write(const std::string& key, const std::string& value) = 0;
    virtual void remove(const std::string& key) = 0;
};

// The keys of the remembered settings.
namespace preference {
inline constexpr char kWindowSize[] = "window/size";
inline constexpr char kSplitter[] = "window/splitter";
inline constexpr char kLinkedCursor[] = "view/linkedCursor";
inline constexpr char kFollowCurves[] = "view/followCurvesNearPoles";
inline constexpr char kHighestResolution[] = "domain/highestResolution";
inline constexpr char kShadingColours[] = "domain/shadingColours";
inline constexpr char kShadingResolution[] = "domain/shadingResolution";
inline constexpr char kCoordinatesAtEdges[] = "view/coordinatesAtEdges";
inline constexpr char kPullBackOnEveryBranch[] = "view/pullBackOnEveryBranch";
inline constexpr char kFeatures[] = "view/zerosPolesAndCriticalPoints";
inline constexpr char kExportFolder[] = "export/folder";
}  // namespace preference

// What zwmap remembers from one run to the next, each with its documented default: a fresh
// user, or one who resets them, starts as the manual says. Values are texts, the same in any
// locale. A settings file is anyone's to edit, so a value that does not read counts as absent.
class Preferences {
  public:
    enum class Kind {
        Flag,      // "true" or "false": the mark of one menu item
        Choice,    // one item of an exclusive group: the last part of the chosen item's id
        Size,      // "WIDTHxHEIGHT" in pixels
        Fraction,  // the domain's share of the planes' width, "0.5"
        Folder,    // a folder's path, or empty for none
    };
    struct Setting {
        const char* key;
        Kind kind;
        const char* defaultValue;
        // Flag: the item whose mark it is; Choice: the group's items, one per value.
        std::vector<std::string> commands;
        // It shows in the planes, so putting it back changes the picture.
        bool inPicture = false;
    };
    // Every remembered setting: the one list to extend when something new is remembered.
    static const std::vector<Setting>& settings();
    static const Setting* find(std::string_view key);
    static bool valid(const Setting& setting, const std::string& value);
    // Choice: the value an item of the group stands for ("classic"), or empty if it is none.
    static std::string choiceOf(const Setting& setting, std::string_view command);
    // Choice: the item that stands for `value`, or empty.
    static std::string commandOf(const Setting& setting, const std::string& value);

    struct Size {
        int width;
        int height;
    };
    static constexpr int kMinSide = 200;
    static constexpr int kMaxSide = 16384;

    // Every setting at its default.
    Preferences() = default;
    // What `store` keeps, a value that does not read left at its default.
    static Preferences load(const PreferenceStore& store);

    std::string value(std::string_view key) const;
    bool isDefault(std::string_view key) const;
    // False, and nothing changes, for an unknown key or a value the setting cannot take.
    bool set(std::string_view key, const std::string& value);

    bool flag(std::string_view key) const { return value(key) == "true"; }
    Size size(std::string_view key) const;
    double fraction(std::string_view key) const;

    // Writes one setting's value into the store.
    void save(PreferenceStore& store, std::string_view key) const;
    // Removes every setting from the store: the next run starts with the defaults.
    static void forget(PreferenceStore& store);

    static std::string flagText(bool on) { return on ? "true" : "false"; }
    static std::string sizeText(int width, int height);
    static std::string fractionText(double share);

  private:
    // Only the values that differ from their defaults' texts or were set.
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace zw
