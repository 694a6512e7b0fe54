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

// The "Legal Stuff" of the About box: the copyright, the licence (LICENSE at the top of the
// source tree), and the licence of the framework the program is built on.
constexpr char kCopyright[] = "Copyright (c) 2026 The Tickvane developers";
constexpr char kLicenceNotice[] = "Free software under the MIT licence: use, copy, change and "
                                  "pass it on, keeping this notice.";
constexpr char kWarrantyNotice[] = "No warranty of any kind. Built with Qt, used under the "
                                   "GNU LGPL version 3.";
