#include "framework/error/DefaultErrorTable.h"

#include <array>
#include <string_view>

namespace quibra {

namespace {

struct Row {
  uint16_t id;
  uint8_t level;
  std::string_view title;
  std::string_view text;
};

// The messages in stored order. The last three texts end in a blank on purpose.
constexpr Row kRows[] = {
    {27, 5, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {26, 3, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {10, 3, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {24, 5, "Procedure not defined", "The Procedure %Message has not been defined."},
    {17, 5, "Range Error", "The value of %Field must be lower than %Message."},
    {18, 5, "Range Error", "The value of %Field must be higher than %Message."},
    {16, 5, "Range Error", "The value of %Field must be in range %Message."},
    {14, 5, "Field contents error", "The value of %Field must be found in the %Message file."},
    {31, 5, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from change and have been "
     "reset to original values."},
    {30, 5, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these references exist."},
    {4, 5, "Record Insert Error",
     "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."},
    {6, 5, "Record Was Not Updated", "This record was changed by another station."},
    {7, 5, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+' "
     "to recall your changes."},
    {34, 1, "Record Update Error", "An error was experienced changing this record. Do you want to try to save again?"},
    {33, 1, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {20, 5, "Invalid Request", "This form cannot be used to insert a record"},
    {38, 5, "Invalid Request", "This form cannot be used to update a record"},
    {12, 5, "Invalid Request", "This form cannot be used to delete a record"},
    {8, 1, "Changes will be lost!", "Are you sure you want to cancel?"},
    {13, 5, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key: %Message"},
    {32, 1, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Error: %ErrorText.|Try Again?"},
    {19, 5, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {36, 1, "Beginning of File Error",
     "The beginning of the file %File was encountered. Do you want to start again from the end of the file?"},
    {37, 1, "End of File Error",
     "The end of the file %File was encountered. Do you want to start again from the beginning?"},
    {23, 3, "File Access Error", "File %File could not be opened.  Error: %ErrorText."},
    {25, 5, "Record was not updated", "An error (%ErrorText) was experienced when making changes to the %File file."},
    {11, 5, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {9, 1, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {35, 1, "Save Record", "Do you want to save the changes to this record?"},
    {21, 5, "Transaction cancelled", "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {1, 5, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."},
    {40, 5, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {3, 1, "Record Added", "This record has been added to the file. Do you want to add another record?"},
    {28, 5, "Record not read", "A record held by another station was encountered reading from the %File file."},
    {5, 5, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {15, 5, "Value Error", "The value of %Field must be in the list : %Message."},
    {22, 5, "No Records", "There are no records available to process."},
    {2, 5, "Access Denied", "Could not get write access to %File so trying read-only."},
    {39, 2, "File Usage Error", "Attempt to use file (%File) before it was opened"},
    {41, 5, "Unsupported QBE Column",
     "The saved QBE column, %Field is not supported. It will be dropped from the query."},
    {42, 5, "SMTP Error", "The following SMTP Error occurred: %Message "},
    {43, 5, "NNTP Error", "%Message "},
    {44, 5, "Winsock Error", "%Message "},
};

constexpr std::size_t kCount = std::size(kRows);
static_assert(kCount == 43, "the program carries 43 default messages");

// Titles and texts are stored behind a one-byte length.
constexpr bool EveryTextFitsItsLengthByte() {
  for (const Row& row : kRows)
    if (row.title.size() > 0xFF || row.text.size() > 0xFF) return false;
  return true;
}
static_assert(EveryTextFitsItsLengthByte(), "a title or text is longer than 255 characters");

constexpr std::size_t EncodedSize() {
  std::size_t size = 2;  // the entry count
  for (const Row& row : kRows) size += 2 + 1 + 1 + row.title.size() + 1 + row.text.size();
  return size;
}

constexpr std::array<uint8_t, EncodedSize()> Encode() {
  std::array<uint8_t, EncodedSize()> out{};
  std::size_t at = 0;
  auto put = [&](std::size_t byte) { out[at++] = static_cast<uint8_t>(byte & 0xFF); };
  auto putText = [&](std::string_view text) {
    put(text.size());
    for (char c : text) put(static_cast<unsigned char>(c));
  };
  put(kCount);
  put(kCount >> 8);
  for (const Row& row : kRows) {
    put(row.id);
    put(row.id >> 8);
    put(row.level);
    putText(row.title);
    putText(row.text);
  }
  return out;
}

constexpr std::array<uint8_t, EncodedSize()> kTable = Encode();

}  // namespace

const uint8_t* DefaultErrorTable() { return kTable.data(); }

std::size_t DefaultErrorTableSize() { return kTable.size(); }

}  // namespace quibra
