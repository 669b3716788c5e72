// The alert a check raises for a folder with mail: a popup stacked above those still on screen and,
// when the user wants it, the sound "gotmail.wav".
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quendrel {

namespace popup {
class PopupShell;
}

// What the alert puts on screen and plays through; the system's by default. Tests replace them.
struct AlertOutputs {
  popup::PopupShell* shell = nullptr;  // not owned; null: the system's taskbar and shell
  std::function<void(const char* waveName)> playSound;  // empty: PlaySound, asynchronously
};

inline constexpr char kAlertSound[] = "gotmail.wav";

// "You got mail in FOLDER", or naming the sender when no unread count is given.
std::string MailAlertText(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText);

// Plays "gotmail.wav" through outputs, asynchronously, cutting off a sound still playing.
void PlayAlertSound(const AlertOutputs& outputs);

// One popup per call, owned by the application object, placed by PopupCount (raised here, lowered
// by the popup when it leaves the screen). Reads alwayssound afterwards: a missing value throws the
// registry's error once the popup is up.
void ShowMailAlert(int32_t UnreadCount, const std::string& SenderText, const std::string& FolderText,
                   const AlertOutputs& outputs = {});

}  // namespace quendrel
