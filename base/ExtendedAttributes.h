#pragma once

// A file's extended attributes, its POSIX access control list among them
// (system.posix_acl_access), given to the file that is to take its place.
//
// Thread rule: any thread.

#include "UserText.h"

#include <string>
#include <vector>

namespace umbrascope {

// Gives to the file every extended attribute that from has and takes away those from has not
// (one inherited from the folder's default list), so the new file is seen by others as the old
// one was. Call after its owner and permissions are set: the access control list sets the
// permissions' group bits as well. Returns the names of the attributes it could not give (the
// file system or the process's rights refuse them); an attribute it could not read or take
// away is let be. Throws nothing.
std::vector<std::string> CopyExtendedAttributes(int from, int to);

// What the user is told about a file written without the attributes named: path, the list.
UserText AttributesNotKeptNotice(const std::string& path, const std::vector<std::string>& names);

} // namespace umbrascope
