#pragma once
// The captions of a native box's buttons: the caller's where it chose them,
// else the desktop's own, the texts Qt gives its standard buttons (in the
// user's language where Qt's translations are installed, see
// InstallQtTranslations). A button that the box rules give an access key
// keeps one: where the desktop's text has none, its first letter or digit
// that no other button of the box has taken becomes the key.
#include <QString>
#include <vector>

#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"

namespace qtbackend {

// One caption for each of `shown`, in their order, '&' before an access key.
std::vector<QString> NativeCaptions(const rt::BoxRequest& request, const std::vector<rt::ShownButton>& shown);

}  // namespace qtbackend
