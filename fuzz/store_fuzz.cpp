// Fuzz target: arbitrary bytes as a settings file, then every kind of query
// on every key the reader made, in and out of sections, then the checks of
// the settings.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "generator/run_settings.h"
#include "generator/settings_checks.h"
#include "toolkit/settings_store.h"

// Written after each input so that the queries are not optimised away.
volatile std::size_t querySink = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static kestrane::SettingsStore store;
    store.readText(std::string_view(reinterpret_cast<const char*>(data), size));

    std::size_t checksum = 0;
    for (int i = 0; i < store.count(); ++i) {
        const std::string& key = store.entry(i).key;
        store.selectSection("");
        checksum += store.getText(key).size();
        checksum += static_cast<std::size_t>(store.getNumber(key) != 0.0);
        checksum += static_cast<std::size_t>(store.countIndexed(key) + 1);
        const std::size_t dot = key.find('.');
        if (dot != std::string::npos) {
            store.selectSection(key.substr(0, dot));
            const std::string name = key.substr(dot + 1);
            checksum += store.getText(name, 0).size() + store.getText(name).size();
            checksum += static_cast<std::size_t>(store.countIndexed("maps") + 1);
        }
    }
    store.selectSection("");
    checksum += static_cast<std::size_t>(store.countIndexed("cycles") + 1);

    kestrane::Findings findings;
    kestrane::checkSettings(store, kestrane::readRunSettings(store), kestrane::CheckOptions{}, findings);
    for (const kestrane::Finding& finding : findings.all()) {
        // A finding is one line of text that names a line of the input.
        if (finding.message.find('\n') != std::string::npos || finding.line < 0) __builtin_trap();
        checksum += finding.message.size();
    }
    querySink = checksum;
    return 0;
}
