// The widths the framework's fields are defined with, and the places that
// keep an address, checked at compile time on every build. The product is a
// 32-bit Windows program (4-byte pointers); its tests run as 64-bit Windows
// and Linux programs (8-byte pointers). BYTE, SHORT, USHORT and LONG are the
// widths the fields are documented with; LONG is 32 bits on every build,
// whatever the platform's `long` is.
#include <cstdint>
#include <type_traits>
#include <utility>

#include "framework/file/FileAccessManager.h"
#include "framework/file/FileUseRegistry.h"
#include "framework/window/Level.h"
#include "framework/window/ToolbarRouter.h"
#include "framework/window/WindowController.h"
#include "platform/Win32Api.h"
#include "runtime/Address.h"
#include "runtime/Backend.h"

namespace quibra {
namespace {

using BYTE = uint8_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using LONG = int32_t;

template <class Field, class Width>
constexpr bool Is = std::is_same_v<Field, Width>;

static_assert(sizeof(BYTE) == 1 && sizeof(SHORT) == 2 && sizeof(USHORT) == 2 && sizeof(LONG) == 4);
static_assert(Is<Level, BYTE>);

// The window controller and its lists.
static_assert(Is<decltype(WindowController::AUTOREFRESH), BYTE> && Is<decltype(WindowController::REQUEST), BYTE> &&
              Is<decltype(WindowController::RESPONSE), BYTE> && Is<decltype(WindowController::INITED), BYTE> &&
              Is<decltype(WindowController::ORIGINALREQUEST), BYTE>);
static_assert(Is<decltype(WindowController::FIRSTFIELD), LONG> && Is<decltype(WindowController::HISTORYKEY), LONG> &&
              Is<decltype(WindowController::OKCONTROL), LONG>);
static_assert(Is<decltype(WindowController::SAVED), USHORT>);
static_assert(Is<decltype(WindowController::VCRREQUEST), LONG*>, "VCRREQUEST refers to a LONG");
static_assert(Is<decltype(ButtonAction::CONTROL), LONG> && Is<decltype(ButtonAction::ACTION), BYTE>);
static_assert(Is<decltype(UpdateFileEntry::SAVEDSTATE), USHORT>);
static_assert(Is<decltype(FieldHistoryEntry::CONTROL), LONG> && Is<decltype(FieldHistoryEntry::FIELDNUMBER), LONG>);
static_assert(Is<decltype(ToolbarEntry::ID), LONG>);

// The file access manager and its lists.
static_assert(Is<decltype(FileAccessManager::CREATEIFMISSING), BYTE> &&
              Is<decltype(FileAccessManager::OPENONUSE), BYTE> && Is<decltype(FileAccessManager::ACCESSMODE), BYTE> &&
              Is<decltype(FileAccessManager::POSITIONKEY), BYTE>);
static_assert(Is<decltype(FileAccessManager::RECOVERVALUE), SHORT>, "a recover time may be negative");
static_assert(Is<decltype(ThreadStateEntry::THREADKEY), LONG> && Is<decltype(ThreadStateEntry::ISOPEN), BYTE> &&
              Is<decltype(ThreadStateEntry::OPENCOUNT), USHORT> && Is<decltype(ThreadStateEntry::STATUS2), BYTE> &&
              Is<decltype(ThreadStateEntry::LASTERROR), USHORT>);
static_assert(Is<decltype(SavedStateEntry::STATEID), LONG>);
static_assert(Is<decltype(HeldStateEntry::HOLDSTATEID), USHORT> && Is<decltype(HeldStateEntry::HOLDNUMBER), USHORT> &&
              Is<decltype(HeldStateEntry::HOLDSTATUS), BYTE> && Is<decltype(HeldStateEntry::PLATFORMSTATE), LONG>);
static_assert(Is<decltype(FileUseEntry::THREAD), LONG> && Is<decltype(FileUseEntry::USTAT), BYTE> &&
              Is<decltype(FileUseEntry::HOLD), USHORT> && Is<decltype(FileUseEntry::SCOPELEVEL), USHORT> &&
              Is<decltype(FileUseEntry::NESTEDOPEN), USHORT>);
static_assert(Is<decltype(FileLabelEntry::FILELABEL), LONG>);

// Addresses are kept whole, never in a 32-bit number: a file's identity, a
// window's native handle, the hook and list callbacks kept in properties, and
// the heap blocks and handles of the Win32 calls.
static_assert(sizeof(FileUseEntry::ID) >= sizeof(void*), "a file's identity is its address");
static_assert(sizeof(decltype(std::declval<rt::Backend&>().NativeHandle(std::declval<const rt::Window&>()))) >=
              sizeof(void*));
static_assert(sizeof(decltype(rt::AddressNumber(nullptr))) >= sizeof(void*));
static_assert(sizeof(os::SIZE_T) == sizeof(void*) && sizeof(os::HANDLE) == sizeof(void*));
#ifdef _WIN32
static_assert(sizeof(long) == 4, "Windows keeps long at 32 bits on both Windows builds");
#endif

}  // namespace
}  // namespace quibra
