#include "runtime/File.h"

#include "platform/FileSystem.h"
#include "runtime/ErrorState.h"
#include "runtime/FileDriver.h"
#include "runtime/Text.h"

namespace rt {

File::File(std::string_view driver, std::string_view name, std::vector<FileField> record, std::vector<FileKey> keys)
    : driverName_(driver), name_(name), record_(std::move(record)), keys_(std::move(keys)) {
  driver_ = FileDriver::Make(driverName_, *this);
}

File::~File() {
  if (open_) driver_->Close();
}

std::string File::Name() const { return Clip(name_); }

void File::SetName(std::string_view name) { name_ = name; }

bool File::Exists(std::string_view name) {
  ClearError();
  std::string path = Clip(name);
  return !path.empty() && os::Exists(path);
}

bool File::Ready(bool needOpen, bool needWrite, int32_t key, bool keyZeroAllowed) {
  if (!driver_) {
    SetError(ErrInvalidDeclaration, FileDriver::MissingText(driverName_));
    return false;
  }
  if (needOpen && !open_) {
    SetError(ErrFileNotOpen);
    return false;
  }
  // Bits 0-1 of the mode are the access: 0 is reading only.
  if (needWrite && (mode_ & 0x03) == 0) {
    SetError(ErrAccessDenied, "Access Denied: the file was opened for reading only");
    return false;
  }
  if (key < (keyZeroAllowed ? 0 : 1) || key > static_cast<int32_t>(keys_.size())) {
    SetError(ErrInvalidArgument, "Invalid Argument: the file has no key " + std::to_string(key));
    return false;
  }
  ClearError();
  return true;
}

bool File::Create() {
  if (!Ready(false, false)) return false;
  if (open_) {
    SetError(ErrFileAlreadyOpen);
    return false;
  }
  if (Name().empty()) {
    SetError(ErrInvalidArgument, "Invalid Argument: the file has no name");
    return false;
  }
  return driver_->Create();
}

bool File::Open(uint8_t accessMode) {
  if (!Ready(false, false)) return false;
  if (open_) {
    SetError(ErrFileAlreadyOpen);
    return false;
  }
  if (Name().empty()) {
    SetError(ErrInvalidArgument, "Invalid Argument: the file has no name");
    return false;
  }
  if (!driver_->Open(accessMode)) return false;
  open_ = true;
  mode_ = accessMode;
  return true;
}

bool File::Close() {
  if (!Ready(true, false)) return false;
  open_ = false;
  return driver_->Close();
}

bool File::Add() { return Ready(true, true) && driver_->Add(); }
bool File::BuildKeys() { return Ready(false, false) && driver_->BuildKeys(); }
bool File::Put() { return Ready(true, true) && driver_->Put(); }
bool File::Delete() { return Ready(true, true) && driver_->Delete(); }
bool File::Get(int32_t key) { return Ready(true, false, key, false) && driver_->Get(key); }

std::string File::Position(int32_t key) { return Ready(true, false, key) ? driver_->Position(key) : std::string(); }

bool File::Reget(int32_t key, std::string_view position) {
  return Ready(true, false, key) && driver_->Reget(key, position);
}

std::string File::Send(std::string_view command) { return Ready(false, false) ? driver_->Send(command) : ""; }
int32_t File::GetState() { return Ready(true, false) ? driver_->GetState() : 0; }
bool File::RestoreState(int32_t state) { return Ready(true, false) && driver_->RestoreState(state); }

void File::FreeState(int32_t state) {
  if (Ready(false, false)) driver_->FreeState(state);
}

std::string File::GetNulls() { return Ready(false, false) ? driver_->GetNulls() : ""; }
bool File::SetNulls(std::string_view flags) { return Ready(false, false) && driver_->SetNulls(flags); }

std::string File::GetProperty(int32_t number, int32_t index) {
  return Ready(false, false) ? driver_->GetProperty(number, index) : "";
}

bool File::SetProperty(int32_t number, std::string_view value, int32_t index) {
  return Ready(false, false) && driver_->SetProperty(number, value, index);
}

}  // namespace rt
