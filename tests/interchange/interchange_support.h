#pragma once
// A document with the 400-470 MHz band selected and the English strings, the usual ground for
// the interchange tests.

#include <gtest/gtest.h>

#include <string>

#include "files/language.h"
#include "model/codeplug.h"

namespace qx::test {

inline const StringTable& englishStrings()
{
    static const StringTable table = [] {
        auto loaded = loadStringTable(std::string(QX_LANG_DIR) + "/english.lng");
        return loaded ? loaded.value() : StringTable();
    }();
    return table;
}

// Band 1 receive range 400-470MHz (selected by Band's default), step as given, words as the
// strings give them (English unless another table is passed).
inline Codeplug bandDocument(int step = 4, const StringTable& strings = englishStrings())
{
    Codeplug doc;
    doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
    doc.settings().setBandList(keys::BandRx1, {"136-174MHz"}, 0);
    doc.settings().assign(keys::Step, step);
    applyLanguage(strings, doc);
    return doc;
}

}  // namespace qx::test
