// The mail store's folder manager as a COM server: its class, its default interface and its events.
// Shared by the program's bridge and the stand-in client's server (whose type library says the same).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

namespace quendrel {

inline constexpr CLSID CLSID_OEFolderManager = {
    0x12BAF0A5, 0x264C, 0x464B, {0x9D, 0x58, 0xC8, 0x3B, 0x37, 0x81, 0xDD, 0x4B}};
inline constexpr IID IID_IOEFolderManager = {
    0x12BAF0C9, 0x264C, 0x464B, {0x9D, 0x58, 0xC8, 0x3B, 0x37, 0x81, 0xDD, 0x4B}};
inline constexpr IID DIID_IOEFolderManagerEvents = {
    0x12BAF091, 0x264C, 0x464B, {0x9D, 0x58, 0xC8, 0x3B, 0x37, 0x81, 0xDD, 0x4B}};

// Only the first method after IDispatch's seven matters to the program; what it does is the
// server's business.
struct IOEFolderManager : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Attach() = 0;
};

// Dispatch ids of the event interface.
enum TOEFolderManagerEventId : DISPID {
  kOnFolderCreated = 1,
  kOnFolderDeleted = 2,
  kOnFolderRenamed = 3,
  kOnFolderMoved = 4,
  kOnFolderUnreadChanged = 5,
  kOnNewMessage = 6,
};

}  // namespace quendrel
