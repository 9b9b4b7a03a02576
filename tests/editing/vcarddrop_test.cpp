#include "editorfixture.h"

namespace {

TEST_F(EditorTest, DroppedVCardTextAddsItsContactsOnlyWhenReadable)
{
    start();
    EXPECT_EQ(editor.addContactByVCardString(qs("no card here")), 0);
    EXPECT_FALSE(undo.canUndo());

    const QString cards = qs("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lund;Bo;;;\r\nFN:Bo Lund\r\nEND:VCARD\r\n");
    EXPECT_EQ(editor.addContactByVCardString(cards), 2);
    ASSERT_EQ(all->contactTable->size(), 2);
    EXPECT_EQ(all->contactTable->at(1)->person->compositeName(), qs("Bo Lund"));
    EXPECT_EQ(seen.edited, std::optional<bool>(true));
    editor.undo();
    EXPECT_TRUE(shownIds(all).isEmpty());
}

} // namespace
