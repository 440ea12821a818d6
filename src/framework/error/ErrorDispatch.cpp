// Reporting: raising an error by id, the level handlers, questions, and the
// one path every shown message takes (log, history, then the box or window).
#include <string>

#include "framework/error/ErrorManager.h"
#include "framework/error/RunErrorWindow.h"
#include "runtime/MessageBox.h"
#include "runtime/Program.h"

namespace quibra {

namespace {

// How many lines the log keeps while it cannot be opened: a few minutes of a
// busy program's messages, at most a few hundred kilobytes.
constexpr std::size_t kMostUnlogged = 100;
constexpr int32_t kButtonsYesNo = rt::ButtonYes + rt::ButtonNo;
constexpr int32_t kButtonsOkHelp = rt::ButtonOk + rt::ButtonHelp;

}  // namespace

Level ErrorManager::Raise(uint16_t id) {
  CaptureErrorState();
  return Dispatch(id);
}

Level ErrorManager::Dispatch(uint16_t id) {
  // An id that is not loaded must not report whatever entry happens to be
  // current: it is shown as a notice that names the id.
  if (Locate(id) != LevelOk) SelectUnknown(id);
  switch (CurrentEntry().FATALITY) {
    case LevelOk:
      return OnLevelOk();
    case LevelQuestion:
    case LevelCancel:
      return OnLevelQuestion();
    case LevelProgramError:
      return OnLevelProgramError();
    case LevelFatal:
      return OnLevelFatal();
    case LevelNotify:
      OnLevelNotify();
      return LevelNotify;
    default:
      return OnLevelOther();
  }
}

Level ErrorManager::OnLevelOk() { return LevelOk; }

Level ErrorManager::OnLevelQuestion() {
  const std::string title(CurrentEntry().TITLE);
  const int32_t answer = Deliver(ExpandText(), title, rt::IconQuestion, kButtonsYesNo, rt::ButtonYes, 0);
  return answer == rt::ButtonYes ? LevelOk : LevelCancel;
}

void ErrorManager::OnLevelNotify() {
  const std::string title(CurrentEntry().TITLE);
  Deliver(ExpandText(), title, rt::IconExclamation, rt::ButtonOk, rt::ButtonOk, 0);
}

Level ErrorManager::OnLevelFatal() {
  const std::string title(CurrentEntry().TITLE);
  Deliver(ExpandText() + std::string(EndNotice), title, rt::IconExclamation, rt::ButtonOk, rt::ButtonOk, 0);
  rt::Halt(0, title);
}

Level ErrorManager::OnLevelProgramError() { return OnLevelFatal(); }

Level ErrorManager::OnLevelOther() { return OnLevelProgramError(); }

int32_t ErrorManager::AskUser(uint16_t id, int32_t buttons, int32_t defaultButton) {
  if (SILENT) return defaultButton;
  if (Locate(id) != LevelOk) {
    // Nothing can be asked about an id that is not defined: the user is told
    // so, and the caller gets its own default, as if no one had been asked.
    SelectUnknown(id);
    const std::string title(CurrentEntry().TITLE);
    ShowBox(ExpandText(), title, rt::IconExclamation, rt::ButtonOk, rt::ButtonOk, 0);
    return defaultButton;
  }
  const std::string title(CurrentEntry().TITLE);
  return ShowBox(ExpandText(), title, rt::IconQuestion, buttons, defaultButton, 0);
}

int32_t ErrorManager::Deliver(const std::string& text, const std::string& caption, const std::string& icon,
                              int32_t buttons, int32_t defaultButton, int32_t style) {
  // The log and the history come first and never stop the message.
  if (LOGERRORS) WriteLog(text);
  if (HISTORYTHRESHOLD != 0) RecordHistory(text);
  int32_t result = defaultButton;
  if (SILENT) return result;
  if (HISTORYTHRESHOLD == 0) return ShowBox(text, caption, icon, buttons, defaultButton, style);
  if (CurrentEntry().FATALITY == HISTORYVIEWLEVEL) {
    // The window takes icon numbers; an icon name reads as 0, its default icon.
    result = RunHistoryWindow(caption, static_cast<int32_t>(rt::ToNumber(icon)), buttons, defaultButton);
    if (HISTORYRESETONVIEW) ClearHistory();
  }
  return result;
}

int32_t ErrorManager::ShowBox(const std::string& text, const std::string& caption, const std::string& icon,
                              int32_t buttons, int32_t defaultButton, int32_t style) {
  return rt::MessageBox(text, caption, icon, buttons, defaultButton, style);
}

void ErrorManager::WriteLog(const std::string& text) {
  if (!ERRORLOG) return;
  // The text driver keeps each line whole: a line break inside the text
  // becomes a blank there, so one message is always one line.
  const std::string stamp = rt::Format(rt::Today(), "D17") + "@" + rt::Format(rt::Clock(), "T8") + " --> ";
  unlogged_.push_back(stamp + text);
  if (unlogged_.size() > kMostUnlogged) {
    unlogged_.pop_front();
    ++unloggedDropped_;
  }
  // A line the log does not take now (another program holds the file) is
  // kept for the next message, so that a busy moment loses none of them. A
  // log of the program's own choosing may take lines though its BeginUse
  // failed, so the lines are offered all the same.
  ERRORLOG->BeginUse(false);
  if (unloggedDropped_ > 0 && ERRORLOG->WriteLine(stamp + std::to_string(unloggedDropped_) +
                                                  " earlier messages could not be logged") == LevelOk)
    unloggedDropped_ = 0;
  while (!unlogged_.empty() && ERRORLOG->WriteLine(unlogged_.front()) == LevelOk) unlogged_.pop_front();
  ERRORLOG->EndUse(false);
}

void ErrorManager::RecordHistory(const std::string& text) {
  if (!HISTORY) return;
  if (HISTORYTHRESHOLD > 0) {
    while (HISTORY->Records() >= HISTORYTHRESHOLD) {
      HISTORY->Get(1);
      HISTORY->Delete();
    }
  }
  const uint16_t id = CurrentEntry().ID;
  HistoryEntry record;
  record.TXT = text;
  record.ID = static_cast<int16_t>(id);
  record.CATEGORY = CategoryOf(id);
  HISTORY->buffer = std::move(record);
  AppendHistory();
}

void ErrorManager::AppendHistory() {
  if (HISTORY) HISTORY->Add();
}

void ErrorManager::ClearHistory() {
  if (HISTORY) HISTORY->Free();
}

int32_t ErrorManager::RunHistoryWindow(const std::string& caption, int32_t icon, int32_t buttons,
                                       int32_t defaultButton) {
  return RunErrorWindow(*this, caption, icon, buttons, defaultButton);
}

void ErrorManager::ShowHistory() { RunHistoryWindow("Errors History", 0, kButtonsOkHelp, rt::ButtonOk); }

}  // namespace quibra
