// The forms of a path the Windows layer hands to the system, decided apart
// from the Win32 calls so that they can be tested anywhere. Paths are UTF-16
// text, as the wide-character API takes them.
#pragma once

#include <string>

namespace orvex {

// Whether a full path is too long for the file functions in their plain
// form: MAX_PATH (260) characters or more, the end of string included.
bool IsLongPath(const std::wstring& fullPath);

// The path with every '/' as '\', which is how Windows reads it; Wine would
// take a leading '/' for the root of its Unix file system rather than of
// the current drive. The "\\?\" form, taken literally, stays as it is.
std::wstring WithBackslashes(std::wstring path);

// The path the file functions accept whatever its length: one whose full
// path is long gets that full path in the "\\?\" form ("\\?\UNC\" on a
// network share); any other stays as it is. Decided on the full path, not on
// the text: a short relative path in a deep folder is long too.
std::wstring ExtendedForm(const std::wstring& path, const std::wstring& fullPath);

// A 32-bit program on 64-bit Windows that names a file directly in its
// system directory gets the one in SysWOW64, where the system redirects it.
// The shell's elevated start is not redirected, so it must be given the
// folder by name to run the same file. The path as it is outside the system
// directory, or without WOW64 (wow64Directory empty).
std::wstring UnredirectedPath(const std::wstring& path, const std::wstring& systemDirectory,
                              const std::wstring& wow64Directory);

// The root of the drive letter a full path starts with ("M:\"), whose kind
// tells whether an elevated program could see it: it does not see the
// user's mapped network drives. Empty for any other path (a network or
// "\\?\" path, or one relative to a drive's current folder).
std::wstring DriveLetterRoot(const std::wstring& path);

}  // namespace orvex
