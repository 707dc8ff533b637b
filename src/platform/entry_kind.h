// What a folder listing asks for: plain files or folders. Shared by the
// files interface and the system calls beneath it.
#pragma once

enum class EntryKind { Files, Folders };
