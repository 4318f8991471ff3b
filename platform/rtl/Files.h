// File names, folders and whole-file operations, as the platform's file routines offer them, on
// a file system whose only path delimiter is '/'.
#pragma once

#include "platform/rtl/Exceptions.h"

inline constexpr char PathDelim = '/';

// Appends the delimiter when the text does not end with one ("" gives "/").
String IncludeTrailingPathDelimiter(const String& path);
// Removes one trailing delimiter when there is one ("/" gives "").
String ExcludeTrailingPathDelimiter(const String& path);

// The folder part with its trailing delimiter ("/a/b.txt" gives "/a/"; "b.txt" gives "").
String ExtractFilePath(const String& fileName);
// The folder part without the trailing delimiter, except for the root ("/a/b" gives "/a",
// "/b" gives "/").
String ExtractFileDir(const String& fileName);
// The part after the last delimiter.
String ExtractFileName(const String& fileName);
// The extension with its dot ("a/b.tar.gz" gives ".gz"); "" when the name has no dot. A dot
// before the last delimiter is part of a folder name, not an extension.
String ExtractFileExt(const String& fileName);
// Replaces the extension (or appends one when there is none); the new one carries its own dot.
String ChangeFileExt(const String& fileName, const String& extension);
// The absolute name: a relative name is taken from the current folder, "." and ".." parts and
// repeated delimiters are resolved textually (symbolic links are not followed). A trailing
// delimiter is kept.
String ExpandFileName(const String& fileName);

// True for an existing file that is not a folder (links are followed).
bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
// Creates the folder and every missing parent. False when that cannot be done (or the name is
// empty); it never throws.
bool ForceDirectories(const String& directory);
// Removes a file (not a folder); false when it cannot be removed.
bool DeleteFile(const String& fileName);
// Renames or moves a file within one file system. An existing file of the new name is not
// replaced (the call returns false), as the original platform's rename behaves.
bool RenameFile(const String& oldName, const String& newName);

// The current folder, without a trailing delimiter.
String GetCurrentDir();
// The folder for temporary files (TMPDIR, else /tmp) with a trailing delimiter.
String GetTempDir();
// Creates a new empty file with a unique name "<prefix>XXXXXX.tmp" in the folder (the temporary
// folder when the folder is empty) and returns its full name. Raises EInOutError
// "Unable to create a temporary file in <folder>: <reason>" when it cannot be made.
String GetTempFileName(const String& directory, const String& prefix);

// Reads a whole file. Raises EInOutError "Cannot open file "<name>". <reason>" when the file
// cannot be read.
String ReadWholeFile(const String& fileName);
// Replaces the file's content as one step: the content is written to a new file beside it,
// flushed to the disk and renamed over the old one, so a crash leaves either the old or the new
// file, never a half-written one. An existing file keeps its permissions; a link is followed and
// its target replaced; a file that may not be written (read-only) is not replaced. Raises
// EInOutError "Unable to write to <name>: <reason>" and leaves the old file untouched when any step
// fails.
void AtomicWriteFile(const String& fileName, const String& content);

// The folder of the running executable with a trailing delimiter. The host program (and tests)
// may name another folder; an empty name restores the executable's folder.
String HostProgramFolder();
void SetHostProgramFolder(const String& folder);
// The full name of the running executable (the first parameter of the program).
String ExecutableFileName();
// The full name of the shared library or executable that contains the address: callers pass
// the address of one of their own functions or variables to learn their own module's name.
// "" when the address belongs to no loaded module.
String ModuleFileName(const void* address);
