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
                                            {4, "0x1"},
                                            {30, "t2"},
                                            {34, "1,2,3"},
                                            {23, "Tinkering 50"},
                                            {19, "40"},
                                            {22, "12"}}));
    EXPECT_EQ(out,
              QStringLiteral("[ITEMDEF i_a]]\r\nNAME=   \r\nID=0x1\r\nTYPE=t1\r\nSPEED=40\r\nARMOR=12\r\n"
                             "SKILLMAKE=Tinkering 50\r\n\r\nON=@CREATE\r\nTYPE=t2\r\nP=1,2,3\r\n"));
}

TEST(CompileItem, KeyTextsStopAtTheLastField) {
    EXPECT_EQ(ItemHandling::keyText(ItemHandling::FieldCount - 1), QStringLiteral("LAYER="));
    EXPECT_EQ(ItemHandling::keyText(ItemHandling::FieldCount), QString());
}

// Each warning names the key or the name it is about; a sound item has none.
TEST(CompileItem, WarningsForWhatTheServerReadsOtherwise) {
    const struct {
        std::initializer_list<std::pair<int, const char *>> given;
        QStringList starts;
    } cases[] = {
        {{{0, "lamp"}, {1, "i_lamp"}, {3, "t_light"}, {4, "0a22"}, {14, "1 i_ingot_iron,2 i_log"}}, {}},
        {{{15, "1 i_log"}, {16, "2 i_ingot"}}, {"RESOURCES1= is not a key", "RESOURCES2= is not a key"}},
        {{{18, "i_lamp"}}, {}},
        {{{18, "i_lamp"}, {2, "x"}}, {"DUPEITEM= makes the item an alias"}},
        {{{5, "0a22"}}, {"DISPID= cannot be set"}},
        {{{0, "I_lamp"}}, {"the name already starts with \"i_\": the header becomes [ITEMDEF i_I_lamp]"}},
        {{{0, "my lamp"}, {1, "i-lamp"}}, {"the name holds characters", "the DEFNAME holds characters"}},
        {{{2, "a // b"}, {31, "//"}}, {"the value of NAME= holds \"//\"", "the value of ATTR= holds \"//\""}},
        {{{0, "a//b"}}, {"the name holds characters", "the value of the name holds \"//\""}},
        {{{21, "1"}, {30, "t_container_locked"}, {27, "1"}, {2, "lamp~\x7f"}}, {}},
        {{{21, "N"}, {3, "T_Container_Locked"}},
         {"TWOHANDS=N does not make", "TYPE=T_Container_Locked in the"}},
        {{{35, "1"}, {32, "x"}, {27, "00"}},
         {"FRUIT= below ON=@CREATE is lost", "LAYER= below ON=@CREATE is lost",
          "CONT=00 below ON=@CREATE names no container"}},
        {{{2, "lamp\u00e9"}}, {"the NAME holds characters outside ASCII (\u00e9)"}},
    };
    for (const auto &c : cases) {
        const QStringList found = ItemHandling::warnings(fields(c.given));
        ASSERT_EQ(found.size(), c.starts.size()) << found.join('\n').toStdString();
        for (qsizetype i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i].startsWith(c.starts[i])) << found[i].toStdString();
    }
}
