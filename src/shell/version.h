// The program's name and version as its captions and messages show them.
#pragma once

namespace shell {

inline constexpr const char* kProgramName = "Ostrel XP";
inline constexpr const char* kVersion = "2.3.6 build 23";
// The caption at start has always carried the previous build number.
inline constexpr const char* kStartCaption = "Безымянный - Ostrel XP 2.3.6 build 22";
inline constexpr const char* kUntitled = "Безымянный";
inline constexpr const char* kHomePage = "https://ostrel.example.org/";
inline constexpr const char* kAuthorMail = "author@ostrel.example.org";

}  // namespace shell
