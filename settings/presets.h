// Presets: one preference file per preset, "<name>.patt", opened by bare name (working
// directory) and listed from the program's directory. Keys, in the order a new file gets
// them: Bright, Step, Level, ARU, EFFECT CMU, EFFECT SDU, EFFECT FILE, EFFECT DELAY.
// Thread: main thread (start-up, event loop, exit) and the engine thread (next-preset
// hotkey); each uses its own open preference file, names are taken under namesMutex.
#pragma once

namespace glimmora {

struct ProcessState;
class ControlStore;

// Lists "*.patt" (".lng") entries of ProgramDirectory in the order the directory yields them,
// each item the entry name without its extension, and selects the item whose entry name is
// exactly PresetName + ".patt" (LanguageName + ".lng"); no match leaves no selection.
// Directories are not listed.
void FillPresetCombo(ProcessState& state, ControlStore& store);
void FillLanguageCombo(ProcessState& state, ControlStore& store);

// Loads the preset named by PresetCombo's text into LevelBar, AruBar, BrightBar, StepBar,
// LightMode, EffectIndex, EffectFileName, EffectSpeedBar and ModeCombo's selection. Bars clamp;
// the mode and effect index keep the low 8 bits. A missing file changes nothing.
void LoadPreset(ProcessState& state, ControlStore& store);
// Saves the settings in force under PresetName (an empty name gives the file ".patt"); the
// level and ARU are the engine's copies LevelValue and AruValue.
void SavePreset(const ProcessState& state, const ControlStore& store);

}  // namespace glimmora
