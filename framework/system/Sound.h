#pragma once
// Plays wave data. There is no mixer API here: the bytes go to a temporary
// file that the first player program found (aplay, paplay, pw-play) is
// started on. A machine without a player or a sound device says so instead
// of failing silently.
#include <cstdint>
#include <functional>

#include "framework/rtl/Types.h"

// Plays RIFF wave bytes. With async the player runs on after the call and a
// new sound replaces it; without, the call returns when the sound has ended.
// False, with the reason in *why, when nothing could be played ("no sound
// data", "no sound device", "no sound player", or the player's failure).
bool PlaySoundData(const String& waveBytes, bool async, String* why = nullptr);

// Stops the sound PlaySoundData started asynchronously, if it still plays.
void StopSound();

// Identifies the asynchronous sound now playing (0 when none), so that the
// owner of a sound can stop it without cutting off one started since.
std::uint64_t CurrentSoundId();

// Test seam: while a hook is set no player is started. The hook sees every
// request: ("play", bytes, async), whose answer PlaySoundData returns, and
// ("stop", "", false) when a sound that it accepted is stopped. An empty
// hook restores the players.
using TSoundHook = std::function<bool(const char* request, const String& waveBytes, bool async)>;
void SetSoundHook(TSoundHook hook);
