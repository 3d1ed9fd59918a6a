// Arbitrary bytes as a settings file: reading must never fail, and a write must read back
// while leaving the other keys as they were.
#include "settings/colour_text.h"
#include "settings/ini_document.h"

#include <cstdlib>
#include <string_view>

using namespace lastling::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument document = IniDocument::parse(text);
    const auto textsize = document.value("Lastling", "Textsize");
    if (const auto colour = document.value("Lastling", "Textcolor"))
        colourFromText(*colour);
    parseIniInteger(text.substr(0, 64));
    colourFromText(text.substr(0, 64));

    document.setValue("Lastling", "Phrase1", text.substr(0, 100));
    const IniDocument again = IniDocument::parse(document.text());
    const auto phrase = again.value("Lastling", "Phrase1");
    if (!phrase || again.value("Lastling", "Textsize") != textsize)
        std::abort();
    return 0;
}
