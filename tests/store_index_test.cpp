// The store's index must answer every query exactly as a scan of the table
// from its last entry to its first does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/settings_store.h"

namespace kestrane {
namespace {

const SettingsEntry* scanLatest(const SettingsStore& store, const std::string& key, int isNumber) {
    for (int i = store.count() - 1; i >= 0; --i) {
        if (store.entry(i).isNumber == isNumber && store.entry(i).key == key) return &store.entry(i);
    }
    return nullptr;
}

bool scanHasKey(const SettingsStore& store, const std::string& key) {
    for (int i = 0; i < store.count(); ++i) {
        if (store.entry(i).key == key) return true;
    }
    return false;
}

int scanCountIndexed(const SettingsStore& store, const std::string& base) {
    int next = 0;
    while (scanHasKey(store, base + "(" + std::to_string(next) + ")")) ++next;
    return next - 1;
}

// A settings file that fills the store past its capacity, with repeated
// keys of both kinds, lists with gaps, and sections.
std::string generatedFile() {
    std::string file;
    int entries = 0;
    for (int s = 0; entries < kStoreCapacity + 50; ++s) {
        const std::string section = "s" + std::to_string(s % 37);
        file += "{" + section + "\n";
        file += "$()maps = m0\n";
        const int items = s % 23;
        for (int i = 1; i < items; ++i) file += "m" + std::to_string(i) + "\n";
        file += "$k" + std::to_string(s % 11) + " = t" + std::to_string(s) + "\n";
        file += "%k" + std::to_string(s % 13) + " = " + std::to_string(s) + "\n";
        file += "$maps(" + std::to_string(items + 1) + ") = after a gap\n";
        file += "%()n" + std::to_string(s % 5) + " = 1\n2\n";
        file += "}\n";
        file += "$top" + std::to_string(s % 17) + " = " + std::to_string(s) + "\n";
        entries += items + 6 + (items == 0 ? 1 : 0);
    }
    return file;
}

TEST(StoreIndex, AgreesWithAScanAtFullCapacity) {
    SettingsStore store;
    store.readText(generatedFile());
    ASSERT_EQ(kStoreCapacity, store.count());

    std::vector<std::string> keys;
    for (int i = 0; i < store.count(); ++i) keys.push_back(store.entry(i).key);
    for (const char* absent : {"absent", "s1.absent", "maps(0)", "s1.maps(999)", "", "s1."})
        keys.emplace_back(absent);

    for (const std::string& key : keys) {
        const SettingsEntry* text = scanLatest(store, key, 0);
        const SettingsEntry* number = scanLatest(store, key, 1);
        ASSERT_EQ(text ? text->text : std::string(), store.getText(key)) << key;
        ASSERT_EQ(number ? number->number : 0.0, store.getNumber(key)) << key;
        const std::size_t open = key.rfind('(');
        if (open != std::string::npos) {
            const std::string base = key.substr(0, open);
            ASSERT_EQ(scanCountIndexed(store, base), store.countIndexed(base)) << base;
        }
    }

    // The same through a selected section, with an index argument.
    for (int s = 0; s < 37; ++s) {
        const std::string section = "s" + std::to_string(s);
        store.selectSection(section);
        ASSERT_EQ(scanCountIndexed(store, section + ".maps"), store.countIndexed("maps")) << section;
        for (int i = 0; i < 25; ++i) {
            const SettingsEntry* text = scanLatest(store, section + ".maps(" + std::to_string(i) + ")", 0);
            ASSERT_EQ(text ? text->text : std::string(), store.getText("maps", i)) << section << " " << i;
        }
    }
}

// Keys that look like list items but are not written as a query writes
// an index, and items far past the end of their list.
TEST(StoreIndex, FindsOnlyTheKeysAQueryBuilds) {
    SettingsStore store;
    store.readText(
        "$()maps = m0\nm1\n"
        "$maps(007) = padded\n$maps(4000000) = far\n$maps(4294967296) = too big\n"
        "$maps(x) = not a number\n$maps(4294967294) = minus two\n$ma ps(1) = blank\n");
    struct Query {
        const char* name;
        int index;
        const char* text;
    };
    const Query queries[] = {
        {"maps", 0, "m0"},
        {"maps", 1, "m1"},
        {"maps", 2, ""},
        {"maps", 7, ""},
        {"maps(007)", -1, "padded"},
        {"maps", 4000000, "far"},
        {"maps(4000000)", -1, "far"},
        {"maps(1)", -1, "m1"},
        {"maps(4294967296)", -1, "too big"},
        {"maps(x)", -1, "not a number"},
        {"maps", -2, "minus two"},
        {"ma ps", 1, "m1"},
    };
    for (const Query& query : queries) {
        EXPECT_EQ(query.text, store.getText(query.name, query.index)) << query.name << " " << query.index;
    }
    EXPECT_EQ(1, store.countIndexed("maps"));
    // countIndexed takes the name as it is, blanks included.
    EXPECT_EQ(-1, store.countIndexed("ma ps"));
}

TEST(StoreIndex, ForgetsTheEntriesOfAnEarlierRead) {
    SettingsStore store;
    store.readText("$a = 1\n$()l = x\ny\n");
    store.readText("$b = 2\n");
    EXPECT_EQ("", store.getText("a"));
    EXPECT_EQ(-1, store.countIndexed("l"));
    EXPECT_EQ("2", store.getText("b"));
    store.readFile("");
    EXPECT_EQ("", store.getText("b"));
}

}  // namespace
}  // namespace kestrane
