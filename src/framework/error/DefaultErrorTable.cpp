#include "framework/error/DefaultErrorTable.h"

namespace quibra {

namespace {

// Each literal piece is separate so that a hex escape never swallows the
// character after it. The last three messages end in a blank on purpose.
// clang-format off
constexpr char kTable[] =
    "\x2b\x00"  // 43 entries
    // 1: id 27, level 5
    "\x1b\x00" "\x05" "\x0b" "Invalid Key"
    "\x2f" "%File key file is invalid. Key must be rebuilt."
    // 2: id 26, level 3
    "\x1a\x00" "\x03" "\x11" "Key was not built"
    "\x2c" "Error: (%ErrorText) repairing key for %File."
    // 3: id 10, level 3
    "\x0a\x00" "\x03" "\x13" "File Creation Error"
    "\x23" "Error: (%ErrorText) creating %File."
    // 4: id 24, level 5
    "\x18\x00" "\x05" "\x15" "Procedure not defined"
    "\x2c" "The Procedure %Message has not been defined."
    // 5: id 17, level 5
    "\x11\x00" "\x05" "\x0b" "Range Error"
    "\x30" "The value of %Field must be lower than %Message."
    // 6: id 18, level 5
    "\x12\x00" "\x05" "\x0b" "Range Error"
    "\x31" "The value of %Field must be higher than %Message."
    // 7: id 16, level 5
    "\x10\x00" "\x05" "\x0b" "Range Error"
    "\x2e" "The value of %Field must be in range %Message."
    // 8: id 14, level 5
    "\x0e\x00" "\x05" "\x14" "Field contents error"
    "\x37" "The value of %Field must be found in the %Message file."
    // 9: id 31, level 5
    "\x1f\x00" "\x05" "\x22" "Referential Integrity Update Error"
    "\x88" "This record is referenced from the file %File. Linking field(s) have been restricted from change and have been reset to original values."
    // 10: id 30, level 5
    "\x1e\x00" "\x05" "\x22" "Referential Integrity Delete Error"
    "\x6a" "This record is referenced from the file %File. This record cannot be deleted while these references exist."
    // 11: id 4, level 5
    "\x04\x00" "\x05" "\x13" "Record Insert Error"
    "\x58" "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."
    // 12: id 6, level 5
    "\x06\x00" "\x05" "\x16" "Record Was Not Updated"
    "\x2b" "This record was changed by another station."
    // 13: id 7, level 5
    "\x07\x00" "\x05" "\x16" "Record Was Not Updated"
    "\x87" "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+' to recall your changes."
    // 14: id 34, level 1
    "\x22\x00" "\x01" "\x13" "Record Update Error"
    "\x50" "An error was experienced changing this record. Do you want to try to save again?"
    // 15: id 33, level 1
    "\x21\x00" "\x01" "\x13" "Record Delete Error"
    "\x55" "An error was experienced deleting this record. Do you want to try to delete it again?"
    // 16: id 20, level 5
    "\x14\x00" "\x05" "\x0f" "Invalid Request"
    "\x2b" "This form cannot be used to insert a record"
    // 17: id 38, level 5
    "\x26\x00" "\x05" "\x0f" "Invalid Request"
    "\x2b" "This form cannot be used to update a record"
    // 18: id 12, level 5
    "\x0c\x00" "\x05" "\x0f" "Invalid Request"
    "\x2b" "This form cannot be used to delete a record"
    // 19: id 8, level 1
    "\x08\x00" "\x01" "\x15" "Changes will be lost!"
    "\x20" "Are you sure you want to cancel?"
    // 20: id 13, level 5
    "\x0d\x00" "\x05" "\x13" "Duplicate Key Error"
    "\x42" "Adding this record creates a duplicate entry for the key: %Message"
    // 21: id 32, level 1
    "\x20\x00" "\x01" "\x14" "Auto Increment Error"
    "\x63" "Attempts to automatically number this record have failed.|File: %File|Error: %ErrorText.|Try Again?"
    // 22: id 19, level 5
    "\x13\x00" "\x05" "\x0f" "File Load Error"
    "\x2a" "%File File Load Error.  Error: %ErrorText."
    // 23: id 36, level 1
    "\x24\x00" "\x01" "\x17" "Beginning of File Error"
    "\x65" "The beginning of the file %File was encountered. Do you want to start again from the end of the file?"
    // 24: id 37, level 1
    "\x25\x00" "\x01" "\x11" "End of File Error"
    "\x59" "The end of the file %File was encountered. Do you want to start again from the beginning?"
    // 25: id 23, level 3
    "\x17\x00" "\x03" "\x11" "File Access Error"
    "\x33" "File %File could not be opened.  Error: %ErrorText."
    // 26: id 25, level 5
    "\x19\x00" "\x05" "\x16" "Record was not updated"
    "\x4c" "An error (%ErrorText) was experienced when making changes to the %File file."
    // 27: id 11, level 5
    "\x0b\x00" "\x05" "\x16" "Record was not deleted"
    "\x51" "An error (%ErrorText) was experienced when deleting a record from the %File file."
    // 28: id 9, level 1
    "\x09\x00" "\x01" "\x0e" "Confirm Delete"
    "\x37" "Are you sure you want to delete the highlighted record?"
    // 29: id 35, level 1
    "\x23\x00" "\x01" "\x0b" "Save Record"
    "\x2f" "Do you want to save the changes to this record?"
    // 30: id 21, level 5
    "\x15\x00" "\x05" "\x15" "Transaction cancelled"
    "\x41" "Error: (%ErrorText) attempting to frame the transaction on %File."
    // 31: id 1, level 5
    "\x01\x00" "\x05" "\x16" "Record Retrieval Error"
    "\x65" "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."
    // 32: id 40, level 5
    "\x28\x00" "\x05" "\x0f" "View Open Error"
    "\x59" "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."
    // 33: id 3, level 1
    "\x03\x00" "\x01" "\x0c" "Record Added"
    "\x4a" "This record has been added to the file. Do you want to add another record?"
    // 34: id 28, level 5
    "\x1c\x00" "\x05" "\x0f" "Record not read"
    "\x4d" "A record held by another station was encountered reading from the %File file."
    // 35: id 5, level 5
    "\x05\x00" "\x05" "\x0f" "Add New Record?"
    "\x35" "Record match not found, do you wish to add a new one?"
    // 36: id 15, level 5
    "\x0f\x00" "\x05" "\x0b" "Value Error"
    "\x33" "The value of %Field must be in the list : %Message."
    // 37: id 22, level 5
    "\x16\x00" "\x05" "\x0a" "No Records"
    "\x2a" "There are no records available to process."
    // 38: id 2, level 5
    "\x02\x00" "\x05" "\x0d" "Access Denied"
    "\x38" "Could not get write access to %File so trying read-only."
    // 39: id 39, level 2
    "\x27\x00" "\x02" "\x10" "File Usage Error"
    "\x30" "Attempt to use file (%File) before it was opened"
    // 40: id 41, level 5
    "\x29\x00" "\x05" "\x16" "Unsupported QBE Column"
    "\x51" "The saved QBE column, %Field is not supported. It will be dropped from the query."
    // 41: id 42, level 5
    "\x2a\x00" "\x05" "\x0a" "SMTP Error"
    "\x2c" "The following SMTP Error occurred: %Message "
    // 42: id 43, level 5
    "\x2b\x00" "\x05" "\x0a" "NNTP Error"
    "\x09" "%Message "
    // 43: id 44, level 5
    "\x2c\x00" "\x05" "\x0d" "Winsock Error"
    "\x09" "%Message "
    ;
// clang-format on

}  // namespace

const uint8_t* DefaultErrorTable() { return reinterpret_cast<const uint8_t*>(kTable); }

// The literal's own terminator is not part of the table.
std::size_t DefaultErrorTableSize() { return sizeof kTable - 1; }

}  // namespace quibra
