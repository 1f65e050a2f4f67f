// Process-wide state shared by the main thread and the engine thread. Start-up owns the one
// instance and hands references to the parts that need it. Words that both threads touch
// are atomics (relaxed: each reader accepts a value one pass old); texts are guarded by
// `namesMutex`.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace glimmora {

constexpr int kSlots = 19;  // index 0..18: channel 0 (or the total) plus the 18 channels

// Colours are red + 256 x green + 65536 x blue.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }

struct ProcessState {
  // [0..17] band levels of the current pass, [18] their total. The engine rebuilds them
  // every pass; the main thread clears [0..17] through ClearBandLevels.
  std::array<std::atomic<float>, kSlots> BandLevels{};
  // Output state of each channel after inversion, 0/1. Both threads call SetChannel.
  std::array<std::atomic<int>, kSlots> ChannelOn{};
  // [1..18] a channel's LED colour when on, [0] the LED colour when off. Built-in values
  // (grey off, red on) until LoadColours reads LedColor.dat.
  std::array<std::atomic<std::uint32_t>, kSlots> ChannelColours{
      {Rgb(187, 187, 187), 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}};

  // Indicator colours (keys of LedColor.dat).
  std::atomic<std::uint32_t> SpectrColor{Rgb(0, 255, 0)};
  std::atomic<std::uint32_t> BkSpectrColor{Rgb(107, 107, 107)};
  std::atomic<std::uint32_t> BrLedColor{Rgb(207, 207, 207)};
  std::atomic<std::uint32_t> GdSpectrColor{Rgb(207, 207, 207)};

  // Flags, 0/1.
  std::atomic<int> OutputsPaused{0};    // set once at exit by the main thread
  std::atomic<int> BrightnessDirty{0};  // set by the main thread, cleared by the engine
  std::atomic<int> ThresholdsLoaded{0};
  std::atomic<int> QuitRequested{0};
  // USB controller presence: the last check's result, and set when a present controller
  // disappeared. Written by UsbCheck on the main thread.
  std::atomic<int> UsbPresent{0};
  std::atomic<int> UsbWasOff{0};

  // Signed 8-bit: the light-music mode 0..5 and the selected effect item.
  std::atomic<std::int8_t> LightMode{0};
  std::atomic<std::int8_t> EffectIndex{0};

  // The engine's copies of LevelBar and AruBar, written by the engine each pass; the preset
  // saves them as the preset's level and ARU.
  std::atomic<int> LevelValue{0};
  std::atomic<int> AruValue{0};

  // Read at start-up from setting.dat; main thread only afterwards.
  int UsbProductId = 0;
  int UsbVendorId = 0;
  int XForm = 0;
  int YForm = 0;

  // Lock-key states sampled at start-up and when the keyboard toggle is switched on.
  std::atomic<int> SavedCapsLock{0};
  std::atomic<int> SavedNumLock{0};
  std::atomic<int> SavedScrollLock{0};

  // Names of the current files, without directory (Windows-1251 bytes).
  mutable std::mutex namesMutex;
  std::string PresetName;                     // guarded by namesMutex
  std::string LanguageName;                   // guarded by namesMutex
  std::string EffectFileName = "effect.sdu";  // guarded by namesMutex
  std::string ProgramDirectory;               // with its trailing separator; set once at start-up
};

}  // namespace glimmora
