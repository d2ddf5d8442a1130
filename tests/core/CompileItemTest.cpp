#include "core/items/ItemHandling.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
QStringList fields(std::initializer_list<std::pair<int, const char *>> values) {
    QStringList f(ItemHandling::FieldCount);
    for (auto [i, v] : values)
        f[i] = QString::fromUtf8(v);
    return f;
}
} // namespace

TEST(CompileItem, EmptyFieldsGiveTheBareSection) {
    EXPECT_EQ(CompileItem(fields({})), QStringLiteral("[ITEMDEF i_item]\r\n\r\nON=@CREATE\r\n"));
    EXPECT_EQ(CompileItem({}), QStringLiteral("[ITEMDEF i_item]\r\n\r\nON=@CREATE\r\n"));
    EXPECT_EQ(CompileItem(fields({{2, "x"}})),
              QStringLiteral("[ITEMDEF i_item]\r\nNAME=x\r\n\r\nON=@CREATE\r\n"));
}

TEST(CompileItem, ValuesAreWrittenUnchangedAtTheirPlace) {
    const QString out = CompileItem(fields({{0, "a]"},
                                            {2, "   "},
                                            {3, "t1"},
                                            {30, "t2"},
                                            {34, "1,2,3"},
                                            {23, "Tinkering 50"},
                                            {19, "40"},
                                            {22, "12"}}));
    EXPECT_EQ(out, QStringLiteral("[ITEMDEF i_a]]\r\nNAME=   \r\nTYPE=t1\r\nSPEED=40\r\nARMOR=12\r\n"
                                  "SKILLMAKE=Tinkering 50\r\n\r\nON=@CREATE\r\nTYPE=t2\r\nP=1,2,3\r\n"));
}

TEST(CompileItem, KeyTextsStopAtTheLastField) {
    EXPECT_EQ(ItemHandling::keyText(ItemHandling::FieldCount - 1), QStringLiteral("LAYER="));
    EXPECT_EQ(ItemHandling::keyText(ItemHandling::FieldCount), QString());
}
