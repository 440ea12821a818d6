#pragma once
// Runs one window: sets itself up, runs the runtime's event loop and hands
// each event to its dispatcher, carries the window's outcome (RESPONSE) and
// releases everything it set up when the window ends. Every window of the
// program is run by one; derived windows replace Setup, Shutdown and
// OnAccepted and call the base from their replacements.
#include <cstdint>

#include "framework/window/Level.h"
#include "framework/window/WindowComponent.h"
#include "runtime/Queue.h"
#include "runtime/RecordGroup.h"
#include "runtime/Text.h"

namespace quibra {

class ErrorReporter;
class FormFile;
class RecordRelation;
class ResizeHandler;
class TextTranslator;
class ToolbarRouter;

// Accepting CONTROL finishes the window with response ACTION.
struct ButtonAction {
  int32_t CONTROL = 0;
  uint8_t ACTION = 0;
};

struct ComponentEntry {
  WindowComponent* WC = nullptr;
};

// A further file the form updates, with the saved state of its record.
struct UpdateFileEntry {
  FormFile* UPDATEFILE = nullptr;
  uint16_t SAVEDSTATE = 0;
};

// A field whose value can be recalled from the last completed form.
struct FieldHistoryEntry {
  rt::RecordGroup* CURRENTGROUP = nullptr;
  rt::RecordGroup* SAVEDGROUP = nullptr;
  int32_t CONTROL = 0;
  int32_t FIELDNUMBER = 0;
};

// The toolbar button that recalls the focused field.
constexpr int32_t ToolbarHistoryControl = 3012;
// The type code of a tab sheet control.
constexpr int64_t ControlTypeSheet = 37;

class WindowController {
 public:
  // Fields in declaration order; a new controller has every one cleared.
  uint8_t AUTOREFRESH = 0;
  uint8_t AUTOTOOLBAR = 0;
  rt::Queue<ButtonAction>* BUTTONS = nullptr;
  rt::Queue<ComponentEntry>* CL = nullptr;
  uint8_t CANCELACTION = 0;
  uint8_t CHANGEACTION = 0;
  uint8_t DEAD = 0;
  uint8_t DELETEACTION = 0;
  ErrorReporter* ERRORS = nullptr;
  rt::Queue<UpdateFileEntry>* FILES = nullptr;
  uint8_t FILESOPENED = 0;
  int32_t FIRSTFIELD = 0;
  uint8_t FORCEDRESET = 0;
  rt::Queue<FieldHistoryEntry>* HISTORY = nullptr;
  int32_t HISTORYKEY = 0;
  uint8_t INITED = 0;  // bit 1: activated; bit 2: first resize seen
  uint8_t INSERTACTION = 0;
  rt::FixedString<1024> LASTINSERTEDPOSITION;
  int32_t OKCONTROL = 0;
  uint8_t OPENED = 0;
  uint8_t ORIGINALREQUEST = 0;
  RecordRelation* PRIMARY = nullptr;
  uint8_t REQUEST = 0;
  uint8_t RESETONGAINFOCUS = 0;
  ResizeHandler* RESIZE = nullptr;
  uint8_t RESPONSE = 0;
  uint16_t SAVED = 0;
  ToolbarRouter* TOOLBAR = nullptr;
  TextTranslator* TRANSLATOR = nullptr;
  int32_t* VCRREQUEST = nullptr;

  WindowController() = default;
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;
  virtual ~WindowController();

  // Virtual operations, in slot order.
  virtual void RunEventLoop();
  virtual Level Setup();
  virtual Level Shutdown();
  virtual void Activate();
  virtual void PrimeNewRecord();
  virtual Level PrepareRequest();
  virtual void Refresh(uint8_t force);
  virtual void RecallField(int32_t control);
  virtual int32_t RunModal();
  virtual uint8_t DefaultResponse();
  virtual void ArmKeys();
  virtual void Finish(uint8_t response);
  virtual Level OnAccepted();
  virtual Level OnCompleted();
  virtual Level OnCloseRequest();
  virtual Level DispatchEvent();
  virtual Level OnFieldEvent();
  virtual Level OnSelectionChanged();
  virtual Level OnRejected();
  virtual Level OnSelected();
  virtual Level OnWindowEvent();
  virtual void CommitComponents();

  // Registration; needs Setup to have made the lists.
  void AddComponent(WindowComponent* component);
  void AttachToolbar(ToolbarRouter* router);
  void AddButtonAction(int32_t control, uint8_t action);
  // The OK control was accepted: validate the form (changes) or complete at once.
  void StartCompletion();
  void RefreshComponents(uint8_t force);
  // Copies the values of the form into the field history's saved groups.
  void SaveFieldHistory();

 protected:
  // The steps of OnCompleted. CompleteInsert gives OnCompleted's result.
  Level CompleteInsert();
  void CompleteChange();
  void CompleteDelete();
  // The primary file, or null when the form has no primary relation.
  FormFile* PrimaryFile() const;
  // The error manager the questions go to: ERRORS, or the program's own.
  ErrorReporter& Errors() const;
  // Moves the focus to FIRSTFIELD when the form names one.
  void SelectFirstField();

  // Calls fn for each registered component, first to last.
  template <class Fn>
  void EachComponent(Fn fn) {
    if (!CL) return;
    for (int32_t i = 1; i <= CL->Records(); ++i)
      if (CL->Get(i) && CL->buffer.WC) fn(*CL->buffer.WC);
  }
};

}  // namespace quibra
