#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "app/Commands.h"
#include "app/Preferences.h"
#include "support/AppHarness.h"

namespace zw::test {
namespace {

// A settings file in memory.
class MapStore final : public PreferenceStore {
  public:
    std::optional<std::string> read(const std::string& key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
    void remove(const std::string& key) override { values.erase(key); }

    std::map<std::string, std::string> values;
};

// What a hand-edited settings file may hold: a value that does not read is the default, and
// never a value the window could not show.
TEST(Preferences, StoredTextsReadOnlyWhenTheSettingCanTakeThem) {
    using namespace preference;
    struct Case {
        const char* key;
        const char* stored;
        const char* read;
    };
    const Case cases[] = {
        {kWindowSize, "1200x800", "1200x800"},
        {kWindowSize, "199x800", "1000x540"},
        {kWindowSize, "1200x16385", "1000x540"},
        {kWindowSize, "+1200x800", "1000x540"},
        {kWindowSize, "1200x-800", "1000x540"},
        {kWindowSize, "99999999999x800", "1000x540"},
        {kSplitter, "0.3", "0.3"},
        {kSplitter, "0.05", "0.5"},
        {kSplitter, "0,3", "0.5"},
        {kSplitter, "3e-1", "0.5"},
        {kSplitter, "nan", "0.5"},
        {kFollowCurves, "true", "true"},
        {kFollowCurves, "TRUE", "false"},
        {kLinkedCursor, "false", "false"},
        {kLinkedCursor, "", "true"},
        {kShadingColours, "colourWheel", "colourWheel"},
        {kShadingColours, "rainbow", "classic"},
        {kExportFolder, "/home/a/pictures", "/home/a/pictures"},
        {kExportFolder, "/home/a\n/b", ""},
        {"window/unknown", "1", ""},
    };
    for (const Case& c : cases) {
        MapStore store;
        store.values[c.key] = c.stored;
        EXPECT_EQ(Preferences::load(store).value(c.key), c.read) << c.key << " = " << c.stored;
    }
}

TEST(Preferences, SavedValuesLoadBackAndForgottenOnesAreTheDefaults) {
    Preferences chosen;
    ASSERT_TRUE(chosen.set(preference::kWindowSize, Preferences::sizeText(1400, 900)));
    ASSERT_TRUE(chosen.set(preference::kSplitter, Preferences::fractionText(0.61234)));
    ASSERT_TRUE(chosen.set(preference::kFollowCurves, Preferences::flagText(true)));
    ASSERT_TRUE(chosen.set(preference::kShadingColours, "colourWheel"));
    ASSERT_TRUE(chosen.set(preference::kExportFolder, "/tmp/ä pictures"));
    EXPECT_FALSE(chosen.set(preference::kShadingColours, "rainbow"));

    MapStore store;
    store.values["recentSessions"] = "/a.zwmap";
    for (const Preferences::Setting& s : Preferences::settings()) {
        chosen.save(store, s.key);
    }
    const Preferences loaded = Preferences::load(store);
    for (const Preferences::Setting& s : Preferences::settings()) {
        EXPECT_EQ(loaded.value(s.key), chosen.value(s.key)) << s.key;
    }
    EXPECT_EQ(loaded.size(preference::kWindowSize).height, 900);
    EXPECT_DOUBLE_EQ(loaded.fraction(preference::kSplitter), 0.612);

    Preferences::forget(store);
    EXPECT_EQ(store.values.size(), 1u) << "only the settings go, not the recent sessions";
    const Preferences fresh = Preferences::load(store);
    for (const Preferences::Setting& s : Preferences::settings()) {
        EXPECT_TRUE(fresh.isDefault(s.key)) << s.key;
    }
}

// The defaults are the documented start: the marks a fresh window shows. And every option of
// the View menu is one of the remembered settings.
TEST(Preferences, DefaultsAreWhatAFreshWindowShows) {
    AppHarness app;
    std::set<std::string> remembered;
    for (const Preferences::Setting& s : Preferences::settings()) {
        ASSERT_TRUE(Preferences::valid(s, s.defaultValue)) << s.key;
        std::string shown;
        for (const std::string& id : s.commands) {
            const Command* c = findCommand(id);
            ASSERT_NE(c, nullptr) << id;
            ASSERT_NE(c->mark, Mark::None) << id;
            remembered.insert(id);
            const bool on = c->checked ? c->checked(app.workbench) : c->startsChecked;
            if (s.kind == Preferences::Kind::Flag) {
                shown = Preferences::flagText(on);
            } else if (on) {
                shown = Preferences::choiceOf(s, id);
                EXPECT_EQ(Preferences::commandOf(s, shown), id);
            }
        }
        if (!s.commands.empty()) {
            EXPECT_EQ(shown, s.defaultValue) << s.key;
        }
    }
    for (const Command& c : commands()) {
        // The Parameters item opens and closes a panel, which the window shows for a formula
        // with parameters; it came in alongside the remembered settings and is not one of them.
        if (c.menu == "view" && c.mark != Mark::None && c.id != command::kParameters) {
            EXPECT_TRUE(remembered.count(c.id)) << c.id << " is a View option not remembered";
        }
    }
}

}  // namespace
}  // namespace zw::test
