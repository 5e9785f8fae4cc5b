#include "Core/Source/FileAddress.h"

#include <cstring>
#include <cwchar>

namespace Corvane
{
    namespace
    {
        bool IsSeparator(wchar_t c)
        {
            return c == L'/' || c == L'\\';
        }

        bool HasDotDotComponent(std::wstring const& path)
        {
            size_t start = 0;
            while (start <= path.size())
            {
                size_t end = start;
                while (end < path.size() && !IsSeparator(path[end]))
                    ++end;
                if (path.compare(start, end - start, L"..") == 0 && end - start == 2)
                    return true;
                start = end + 1;
            }
            return false;
        }
    }

    FileAddress::FileAddress()
    {
        Clear();
    }

    FileAddress::FileAddress(FileSystemPartition partition, std::wstring const& folder, std::wstring const& name,
                             std::wstring const& extension)
    {
        Init(partition, folder, name, extension);
    }

    FileAddress::FileAddress(FileSystemPartition partition, std::wstring const& name, std::wstring const& extension)
    {
        Init(partition, static_cast<wchar_t const*>(nullptr), name, extension);
    }

    FileAddress::FileAddress(std::wstring const& name, std::wstring const& extension)
    {
        Init(kFileSystemPartition_Resources, static_cast<wchar_t const*>(nullptr), name, extension);
    }

    FileAddress::FileAddress(FileAddress const& other)
    {
        *this = other;
    }

    FileAddress& FileAddress::operator=(FileAddress const& other)
    {
        if (this == &other)
            return *this;
        partition = other.partition;
        valid = other.valid;
        std::memcpy(buffer, other.buffer, sizeof(buffer));
        name = other.name ? buffer + (other.name - other.buffer) : nullptr;
        extension = other.extension ? buffer + (other.extension - other.buffer) : nullptr;
        folder = other.folder ? buffer + (other.folder - other.buffer) : nullptr;
        return *this;
    }

    void FileAddress::Clear()
    {
        partition = kFileSystemPartition_Resources;
        name = nullptr;
        extension = nullptr;
        folder = nullptr;
        valid = true;
        std::wmemset(buffer, 0, kBufferLength);
    }

    void FileAddress::Init(FileSystemPartition newPartition, std::wstring const& newFolder, std::wstring const& newName,
                           std::wstring const& newExtension)
    {
        // The folder's own null characters must be seen, so the length comes from the string.
        std::wstring const copyName = newName;
        std::wstring const copyExtension = newExtension;
        std::wstring const copyFolder = newFolder;
        Clear();
        partition = newPartition;
        bool const hasFolder = !copyFolder.empty();
        size_t const needed = copyName.size() + 1 + copyExtension.size() + 1 + (hasFolder ? copyFolder.size() + 1 : 0);
        if (needed > kBufferLength)
        {
            valid = false;
            return;
        }
        auto containsNull = [](std::wstring const& text) { return text.find(L'\0') != std::wstring::npos; };
        if (containsNull(copyName) || containsNull(copyExtension) || containsNull(copyFolder))
            valid = false;

        wchar_t* cursor = buffer;
        auto place = [&cursor](std::wstring const& text) {
            wchar_t* start = cursor;
            std::wmemcpy(cursor, text.data(), text.size());
            cursor += text.size();
            *cursor++ = L'\0';
            return start;
        };
        name = place(copyName);
        extension = place(copyExtension);
        if (hasFolder)
            folder = place(copyFolder);
    }

    void FileAddress::Init(FileSystemPartition newPartition, wchar_t const* newFolder, std::wstring const& newName,
                           std::wstring const& newExtension)
    {
        Init(newPartition, newFolder ? std::wstring(newFolder) : std::wstring(), newName, newExtension);
    }

    void FileAddress::SetFolder(std::wstring const& newFolder)
    {
        bool const wasValid = valid;
        Init(partition, newFolder, GetName(), GetExtension());
        valid = valid && wasValid;
    }

    bool IsRelativePathInside(std::wstring const& path)
    {
        if (path.find(L'\0') != std::wstring::npos)
            return false;
        if (!path.empty() && IsSeparator(path[0]))
            return false;
        return !HasDotDotComponent(path);
    }

    bool IsAddressInsidePartition(FileAddress const& address, std::string* reason)
    {
        auto refuse = [reason](char const* why) {
            if (reason)
                *reason = why;
            return false;
        };
        if (!address.IsValid())
            return refuse("the address's texts do not fit or hold a null character");
        std::wstring const name = address.GetName();
        std::wstring const extension = address.GetExtension();
        for (wchar_t c : name + extension)
        {
            if (IsSeparator(c))
                return refuse("the name or extension holds a path separator");
        }
        std::wstring const fileName = name + extension;
        if (fileName == L"." || fileName == L"..")
            return refuse("the name is a folder reference");
        if (address.HasFolder())
        {
            std::wstring const folder = address.GetFolder();
            if (IsSeparator(folder[0]))
                return refuse("the folder is absolute");
            if (HasDotDotComponent(folder))
                return refuse("the folder climbs out with \"..\"");
        }
        return true;
    }
}
