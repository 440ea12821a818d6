#pragma once
// The program's settings object, bound to one INI file. It reads and writes
// single values, single comma-separated fields of a value, and whole lists
// kept as numbered entries: entry E holds the count, E_1 .. E_n hold one list
// entry each, its fields joined by commas without quoting (so a field holding
// a comma is refused). It carries one list of its own, SECTORS, read from
// section "__Dont_Touch_Me__", entry "Sectors", when it starts and written
// back there when it ends.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/settings/IniField.h"
#include "framework/settings/IniList.h"
#include "runtime/Queue.h"
#include "runtime/Text.h"

namespace quibra {

class IniStore {
 public:
  struct SectorEntry {
    rt::CString<100> FAMILY;
    rt::CString<100> ITEM;
    rt::CString<100> TYPE;
  };
  using SectorList = rt::Queue<SectorEntry>;

  static constexpr std::string_view OwnSection = "__Dont_Touch_Me__";
  static constexpr std::string_view OwnEntry = "Sectors";
  // What ReadValue and ReadField give for an entry the file does not have.
  static constexpr std::string_view Unknown = "---Unknown---";
  static constexpr std::size_t ValueLimit = 999;
  // A list entry's value is built in a buffer of this many bytes, its
  // terminating zero included.
  static constexpr std::size_t ListValueBuffer = 5000;

  rt::CString<260> FILENAME;
  std::unique_ptr<SectorList> SECTORS;

  IniStore() = default;
  IniStore(const IniStore&) = delete;
  IniStore& operator=(const IniStore&) = delete;

  // The value of `entry` in `section` of `fileName`, or `defaultValue` when
  // the file has none.
  virtual std::string ReadEntry(std::string_view section, std::string_view entry, std::string_view defaultValue,
                                std::string_view fileName);
  virtual void WriteEntry(std::string_view section, std::string_view entry, std::string_view value,
                          std::string_view fileName);
  // Extension points: the first runs inside Initialize once FILENAME and
  // SECTORS are set and before the saved list is read; the second runs at the
  // end of the program's life, before Finalize.
  virtual void InitializeHook();
  virtual void ProgramEndHook();
  virtual ~IniStore();

  void Initialize(std::string_view fileName);
  // Saves SECTORS and drops it. False, with the runtime's error state saying
  // why, when the list was not saved; the file then keeps the list it held.
  bool Finalize();

  std::string ReadRaw(std::string_view section, std::string_view entry);
  std::string ReadValue(std::string_view section, std::string_view entry);
  // Field 0 and 1 both name the first field. Asking past the last field
  // starts counting again at the first one, so "x,y" gives x for field 3.
  std::string ReadField(std::string_view section, std::string_view entry, uint8_t fieldNumber);
  // Appends the saved entries to `list` (which is not emptied first).
  // `first` .. `third` are fields of the list's entry buffer; the second and
  // third may be left out.
  void ReadList(std::string_view section, std::string_view entry, IniList list, IniField first, IniField second = {},
                IniField third = {});
  void WriteValue(std::string_view section, std::string_view entry, std::string_view value);
  // Writes the count and then one entry per record, all in one write. Names
  // or an entry the file cannot hold (a "]" in the section, no entry name, a
  // line break or a comma in a field) refuse the whole list, an empty one
  // too: false, with the error state set, and nothing written.
  bool WriteList(std::string_view section, std::string_view entry, IniList list, IniField first, IniField second = {},
                 IniField third = {});

 private:
  // ReadEntry with the store's file, noting a read that failed.
  std::string Read(std::string_view section, std::string_view entry, std::string_view defaultValue);

  // Set when a read found the file there but could not read it.
  bool readFailed_ = false;
  // Set when the saved list could not be read because the file was there but
  // unreadable: writing the (then empty) list back would wipe the saved one.
  bool keepSavedList_ = false;
};

}  // namespace quibra
