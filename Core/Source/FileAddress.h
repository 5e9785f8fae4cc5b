#pragma once

#include <cstddef>
#include <string>

namespace Corvane
{
    // Which folder tree a file lives in.
    enum FileSystemPartition
    {
        kFileSystemPartition_Application = 0,
        kFileSystemPartition_Resources = 1,
        kFileSystemPartition_UserData = 2
    };

    // Names a file by partition, name, extension (with its dot) and an optional folder relative
    // to the partition's root ("." is the root, "./sub/dir" below it). Never a host path.
    //
    // The texts live in the address's own buffer, one after another, each ended by a null
    // character; copies re-point into their own buffer. An address whose texts did not fit the
    // buffer or held a null character is kept but marked invalid, and every file operation
    // refuses it.
    class FileAddress
    {
    public:
        static constexpr size_t kBufferLength = 512;

        // Partition 1, no name, extension or folder.
        FileAddress();
        // An empty folder means none.
        FileAddress(FileSystemPartition partition, std::wstring const& folder, std::wstring const& name,
                    std::wstring const& extension);
        FileAddress(FileSystemPartition partition, std::wstring const& name, std::wstring const& extension);
        // Partition 1, no folder.
        FileAddress(std::wstring const& name, std::wstring const& extension);

        FileAddress(FileAddress const& other);
        FileAddress& operator=(FileAddress const& other);

        // A null or empty folder means none.
        void Init(FileSystemPartition partition, wchar_t const* folder, std::wstring const& name,
                  std::wstring const& extension);
        void Init(FileSystemPartition partition, std::wstring const& folder, std::wstring const& name,
                  std::wstring const& extension);

        FileSystemPartition GetPartition() const { return partition; }
        // Empty texts where the address has none.
        std::wstring GetName() const { return name ? std::wstring(name) : std::wstring(); }
        std::wstring GetExtension() const { return extension ? std::wstring(extension) : std::wstring(); }
        std::wstring GetFolder() const { return folder ? std::wstring(folder) : std::wstring(); }
        // Name followed by extension, as the file is called on disk.
        std::wstring GetFileName() const { return GetName() + GetExtension(); }
        bool HasFolder() const { return folder != nullptr; }
        // False when the texts did not fit the buffer or held a null character.
        bool IsValid() const { return valid; }

        void SetPartition(FileSystemPartition newPartition) { partition = newPartition; }
        // Keeps partition, name and extension; an empty folder removes it.
        void SetFolder(std::wstring const& newFolder);

        FileSystemPartition partition;
        wchar_t const* name;
        wchar_t const* extension;
        wchar_t const* folder;

    private:
        void Clear();

        wchar_t buffer[kBufferLength];
        bool valid;
    };

    // Whether the address stays inside its partition's folder tree: no absolute folder, no ".."
    // component, no '/', '\' or null character in the name or extension, a name that is not "."
    // or "..", texts that fitted. When it is refused, the reason is stored in reason (if given).
    bool IsAddressInsidePartition(FileAddress const& address, std::string* reason = nullptr);

    // The same rule for a relative path with folders (a table-of-contents entry, for instance):
    // not absolute, no "..", no null character.
    bool IsRelativePathInside(std::wstring const& path);
}
