#pragma once
// Commands on the Windows machine around the program: its special folders,
// its code page, shortcut files and program files. Each gets the fields of
// its command line, at least as many as its usage in the table of
// commands.cpp requires.

#include <string>

#include "fields.h"
#include "session.h"

namespace kelvarion::driver {

// folder desktop|common_desktop|programs|common_programs: the special folder's path.
std::string cmd_folder(Session& s, const Fields& f);
// acp: the ANSI code page Wine gives programs on this machine (from LANG).
std::string cmd_acp(Session& s, const Fields& f);
// lnk_read PATH: a shortcut as IShellLinkW::Load sees it.
std::string cmd_lnk_read(Session& s, const Fields& f);
// lnk_write PATH TARGET ARGS FOLDER DESCRIPTION: a shortcut saved by the shell.
std::string cmd_lnk_write(Session& s, const Fields& f);
// hold PATH read|read_write MS: the file opened for reading as another
// program opens it, sharing reading (and writing), for MS ms (0: until release).
std::string cmd_hold(Session& s, const Fields& f);
// release: closes every file still held.
std::string cmd_release(Session& s, const Fields& f);

}  // namespace kelvarion::driver
