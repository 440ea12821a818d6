// The form window over a plain text file, which every build has: inserting a
// record, and closing or cancelling the form with and without saving, leave
// the file with exactly the lines the user chose.
#include <algorithm>

#include "ItemForm.h"
#include "platform/FileSystem.h"
#include "runtime/MessageBox.h"
#include "support/CaseName.h"

namespace filetest {
namespace {

using headless::User;
using quibra::ResponseCancelled;
using quibra::ResponseCompleted;

struct TextFormCase {
  const char* label;
  std::function<void()> script;
  int32_t response;
  bool saved;
  int abandons;
};

void PrintTo(const TextFormCase& c, std::ostream* os) { *os << c.label; }

headless::UserScript& TypeCherry() { return User().Type(CtlCode, "C").Type(CtlName, "Cherry"); }

const TextFormCase textFormCases[] = {
    {"completed", [] { TypeCherry().Press(CtlOk); }, ResponseCompleted, true, 0},
    {"closed, saved", [] { TypeCherry().CloseWindow().AnswerBox(rt::ButtonYes); }, ResponseCompleted, true, 0},
    {"closed, not saved", [] { TypeCherry().CloseWindow().AnswerBox(rt::ButtonNo); }, ResponseCancelled, false, 1},
    {"cancelled untouched", [] { User().Press(CtlCancel); }, ResponseCancelled, false, 1},
};

class TextForm : public FileTest, public testing::WithParamInterface<TextFormCase> {};

TEST_P(TextForm, LeavesTheLinesTheUserChose) {
  RegisterItemForm();
  const std::string path = dir.File("items.txt");
  auto file = ItemFile(path, item, "ASCII");
  ASSERT_TRUE(file->Create());
  quibra::FileAccessManager manager;
  Manage(manager, *file);
  ASSERT_EQ(manager.Open(), quibra::LevelOk);
  ItemRelation relation(manager, errors);
  ItemForm form(relation, errors, item);
  form.REQUEST = quibra::RequestInsert;
  GetParam().script();
  EXPECT_EQ(form.RunModal(), GetParam().response);
  manager.Close();
  EXPECT_EQ(quibra_test::ReadBytes(path), GetParam().saved ? "C       Cherry" + std::string(os::LineEnd()) : "");
  EXPECT_EQ(std::count(relation.calls.begin(), relation.calls.end(), "Abandon"), GetParam().abandons);
}

INSTANTIATE_TEST_SUITE_P(Form, TextForm, testing::ValuesIn(textFormCases), quibra_test::ByLabel());

}  // namespace
}  // namespace filetest
