#include "composer/Main.h"

#include <memory>

#include "composer/ComposerUtility.h"
#include "composer/ComposerWindow.h"
#include "composer/ComposerWindowDef.h"
#include "framework/window/ToolbarRouter.h"
#include "framework/window/WindowGlobals.h"
#include "runtime/MessageBox.h"
#include "runtime/Window.h"

namespace quibra {

void Main() {
  ComposerData data;
  data.MESSAGETEXT = "Test Message | Second Line";
  data.MESSAGETITLE = "Quibra Demo";
  data.BUTTONSTYLE = rt::ButtonOk;
  data.MSGICON = rt::IconExclamation;
  data.DEFAULTBUTTON = 0;
  data.SYSTEMMODAL = 0;
  data.MESSAGESTYLE = 1;

  data.window = rt::PrepareWindow(
      ComposerModule, ComposerWindowName,
      {rt::Bind(data.MESSAGETEXT), rt::Bind(data.MESSAGETITLE), rt::Bind(data.BUTTONSTYLE), rt::Bind(data.MSGICON),
       rt::Bind(data.DEFAULTBUTTON), rt::Bind(data.SYSTEMMODAL), rt::Bind(data.MESSAGESTYLE)});
  ComposerUtility utility;
  data.utility = &utility;
  // The hook is not installed yet, so the runtime's own box shows the intro.
  utility.ShowIntro();

  ToolbarRouter toolbar;
  data.toolbar = &toolbar;
  // The controller lives on the heap for the run and is freed before the
  // window is released, also when a halt in a test unwinds through here.
  auto controller = std::make_unique<ComposerWindow>(&data);
  LastResponse = static_cast<uint8_t>(controller->RunModal() & 0xFF);
  controller.reset();
  rt::ReleaseWindow(data.window);
}

}  // namespace quibra
