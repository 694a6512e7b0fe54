#pragma once
// What the About box says about the program. The build passes the version (the project's version)
// and the project's addresses; see dialogs/CMakeLists.txt.

#ifndef TICKVANE_VERSION
#error "TICKVANE_VERSION must be defined by the build"
#endif

constexpr char kProgramVersion[] = TICKVANE_VERSION;
constexpr char kWebAddress[] = TICKVANE_WEB_ADDRESS;
constexpr char kContactMail[] = TICKVANE_CONTACT_MAIL;
constexpr char kAuthor[] = "the Tickvane team";
