#pragma once
// What a user opens, turned into the path of the MASTER to read. A quote folder is known by its
// index files (MASTER, EMASTER, XMASTER); opening any of them, or the folder itself, means the
// folder, which CBars reads through its MASTER path, even when only EMASTER or XMASTER exist.

#include <string>

// The MASTER path for `opened`: for a folder that holds an index file (any case), or a path whose
// name is EMASTER or XMASTER (any case), the folder's MASTER under the name it has there ("MASTER"
// when there is none). Anything else is given back unchanged, so that SetMasterPath refuses what
// it must refuse.
std::string MasterPathToOpen(const std::string& opened);
