#include "2DEngine/Source/Framework/Account.h"

#include "2DEngine/Source/Framework/AccountFile.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "Core/Source/Base64.h"
#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringFormatter.h"
#include "Core/Source/XMLReader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <typeinfo>

namespace Corvane
{
    using namespace AccountFile;

    namespace
    {
        void LogXMLError(char const* operation, std::wstring const& account, sRebuildResult const& failure)
        {
            Internal::LogWrite("Corvane::Account::%s: There is an error in the XML data for the account '%ls'.\n",
                               operation, account.c_str());
            Internal::LogWrite("%s\n", failure.errorType.c_str());
            Internal::LogWrite("\tMessage:\t%s\n", failure.errorMessage.c_str());
        }

        void LogUnreadable(char const* operation, Account const& account)
        {
            Internal::LogWrite("Corvane::Account::%s: the file of the account '%ls' cannot be read; it is left as it is.\n",
                               operation, account.GetName().c_str());
        }

        void LogUnwritten(char const* operation, Account const& account)
        {
            FileAddress const& file = account.GetFile();
            Internal::LogWrite("Corvane::Account::%s: the file '%ls%ls' of the account '%ls' could not be written; it "
                               "keeps its earlier contents, and the running game keeps the values it could not take.\n",
                               operation, file.GetName().c_str(), file.GetExtension().c_str(),
                               account.GetName().c_str());
        }

        void LogUnusable(Account const& account, std::wstring const& key, std::wstring const& text,
                         char const* expected)
        {
            Internal::LogWrite("Corvane::Account::ReadValue: the value '%ls' of '%ls' in the account '%ls' is not %s; "
                               "the default is used.\n",
                               text.c_str(), key.c_str(), account.GetName().c_str(), expected);
        }

        bool IsBlank(wchar_t c)
        {
            return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
        }

        // Whether nothing but blanks follows the number.
        bool EndsAt(std::wstring const& text, wchar_t const* end)
        {
            size_t i = static_cast<size_t>(end - text.c_str());
            while (i < text.size() && IsBlank(text[i]))
                ++i;
            return i == text.size();
        }

        bool ParseWholeInt(std::wstring const& text, long long* value)
        {
            wchar_t const* const begin = text.c_str();
            wchar_t* end = nullptr;
            errno = 0;
            *value = std::wcstoll(begin, &end, 10);
            return end != begin && errno == 0 && EndsAt(text, end);
        }

        bool ParseWholeFloat(std::wstring const& text, float* value)
        {
            wchar_t const* const begin = text.c_str();
            wchar_t* end = nullptr;
            errno = 0;
            *value = std::wcstof(begin, &end);
            return end != begin && errno == 0 && EndsAt(text, end) && std::isfinite(*value);
        }

        // The text read as the attribute container reads a "value" attribute.
        template <class T>
        T ByContainerRule(std::wstring const& text, T const& defaultValue)
        {
            AttributeContainer value;
            value.SetAttributes({{L"value", text}});
            return value.GetAttribute(L"value", defaultValue);
        }

        // The value's bytes; deleting the stream stores them back.
        class AccountValueStream : public MemoryStream
        {
        public:
            AccountValueStream(Account* account, std::wstring const& key)
                : MemoryStream(L"Account Value " + key), mAccount(account), mKey(key)
            {
                Base64::Decode(account->ReadValue(key), this);
                Seek(kSeekBegin, 0);
            }

            ~AccountValueStream() override
            {
                try
                {
                    Seek(kSeekBegin, 0);
                    mAccount->WriteValue(mKey.c_str(), Base64::Encode(this));
                }
                catch (std::exception const& error)
                {
                    Internal::LogWrite("Corvane::Account: the value '%ls' could not be stored: %s\n", mKey.c_str(),
                                       error.what());
                }
            }

        private:
            Account* mAccount;
            std::wstring mKey;
        };
    }

    Account::Account(FileAddress const& file, std::wstring const& name, bool current)
        : mFile(file), mName(name), mCurrent(current)
    {
    }

    std::shared_ptr<sDocument> Account::document(char const* operation, int* readResult) const
    {
        // Deferred writes the file does not have yet: the kept document is the account.
        if (mPending && mDocument)
        {
            *readResult = kRead_Ok;
            return mDocument;
        }
        IFileSystem* const fileSystem = GetFileSystem();
        sFileStamp stamp;
        // Taken before the read: a change made meanwhile gives a newer stamp and a parse next time.
        bool const stamped = fileSystem && fileSystem->GetFileStamp(&mFile, &stamp);
        if (mDocument && stamped && mDocument->stamped && mDocument->stamp == stamp)
        {
            *readResult = kRead_Ok;
            return mDocument;
        }
        mDocument.reset();
        Bytes bytes;
        eReadResult const read = ReadWhole(mFile, bytes);
        *readResult = read;
        if (read == kRead_Unreadable)
            LogUnreadable(operation, *this);
        if (read != kRead_Ok)
            return nullptr;
        std::shared_ptr<sDocument> parsed = ParseDocument(std::move(bytes));
        // Not even an "account" element: damaged like any other unreadable file, so that it is
        // logged and kept beside the file when the file is rebuilt.
        if (parsed->bytes.empty())
        {
            XMLError const empty(mFile.GetName() + mFile.GetExtension(), 0, L"the file is empty", __FILE__, __LINE__,
                                 __FUNCTION__);
            parsed->damaged = true;
            parsed->errorType = typeid(empty).name();
            parsed->errorMessage = empty.what();
        }
        parsed->stamped = stamped;
        parsed->stamp = stamp;
        mDocument = parsed;
        return mDocument;
    }

    bool Account::readText(std::wstring const& key, std::wstring* text) const
    {
        int read = kRead_Ok;
        std::shared_ptr<sDocument const> const parsed = document("ReadValue", &read);
        if (!parsed)
            return false;
        if (parsed->damaged)
        {
            sRebuildResult failure;
            failure.errorType = parsed->errorType;
            failure.errorMessage = parsed->errorMessage;
            LogXMLError("ReadValue", mName, failure);
        }
        return FindValue(*parsed, key, text);
    }

    bool Account::HasRecord(std::wstring const& key) const
    {
        int read = kRead_Ok;
        std::shared_ptr<sDocument const> const parsed = document("ReadValue", &read);
        return parsed && CountRecords(*parsed, key) > 0;
    }

    bool Account::readCheckedText(std::wstring const& key, std::wstring* text) const
    {
        if (readText(key, text) && !text->empty())
            return true;
        if (HasRecord(key))
            Internal::LogWrite("Corvane::Account::ReadValue: the record '%ls' in the account '%ls' has no value; the "
                               "default is used.\n",
                               key.c_str(), mName.c_str());
        return false;
    }

    std::wstring Account::ReadValue(std::wstring const& key) const
    {
        std::wstring text;
        readText(key, &text);
        return text;
    }

    bool Account::ReadValue(std::wstring const& key, bool const& defaultValue) const
    {
        return ReadCheckedValue(key, defaultValue);
    }

    int Account::ReadValue(std::wstring const& key, int const& defaultValue) const
    {
        std::wstring text;
        return readText(key, &text) ? ByContainerRule(text, defaultValue) : defaultValue;
    }

    float Account::ReadValue(std::wstring const& key, float const& defaultValue) const
    {
        std::wstring text;
        return readText(key, &text) ? ByContainerRule(text, defaultValue) : defaultValue;
    }

    int Account::ReadValue(std::wstring const& key, int const& defaultValue, int lowest, int highest) const
    {
        std::wstring text;
        if (!readCheckedText(key, &text))
            return defaultValue;
        long long value = 0;
        if (ParseWholeInt(text, &value) && value >= lowest && value <= highest)
            return static_cast<int>(value);
        char expected[96];
        std::snprintf(expected, sizeof(expected), "a whole number from %d to %d", lowest, highest);
        LogUnusable(*this, key, text, expected);
        return defaultValue;
    }

    float Account::ReadValue(std::wstring const& key, float const& defaultValue, float lowest, float highest) const
    {
        std::wstring text;
        if (!readCheckedText(key, &text))
            return defaultValue;
        float value = 0.0f;
        if (ParseWholeFloat(text, &value) && value >= lowest && value <= highest)
            return value;
        char expected[96];
        std::snprintf(expected, sizeof(expected), "a number from %g to %g", static_cast<double>(lowest),
                      static_cast<double>(highest));
        LogUnusable(*this, key, text, expected);
        return defaultValue;
    }

    bool Account::ReadCheckedValue(std::wstring const& key, bool defaultValue) const
    {
        std::wstring text;
        if (!readCheckedText(key, &text))
            return defaultValue;
        // A read that does not fall back on the default found one of the two words.
        bool const read = ByContainerRule(text, defaultValue);
        if (read == ByContainerRule(text, !defaultValue))
            return read;
        LogUnusable(*this, key, text, "\"true\" or \"false\"");
        return defaultValue;
    }

    // Rebuilds the file with the key written or removed and puts the result in place. A damaged
    // original is first kept beside the file, so that nothing a child earned is lost to the
    // salvage.
    bool Account::rewrite(char const* operation, std::wstring const& key, std::wstring const& value, int mode)
    {
        int read = kRead_Ok;
        std::shared_ptr<sDocument> parsed = document(operation, &read);
        if (read == kRead_Unreadable)
            return false;
        if (read == kRead_Missing)
        {
            if (mode == kRebuild_Delete)
                return true;
            parsed = ParseDocument(Bytes());
        }
        bool const damaged = parsed->damaged;
        // Quitting saves every setting; one that is already stored costs no rewrite.
        bool const held = !damaged && (mode == kRebuild_Write ? HoldsValue(*parsed, key, value)
                                                              : CountRecords(*parsed, key) == 0);
        if (held)
        {
            bool const stored = !mPending || store(operation);
            return stored || std::find(mUnsaved.begin(), mUnsaved.end(), key) == mUnsaved.end();
        }
        noteUnsaved(key);
        // A large file rebuilt element by element for every changed setting would make quitting
        // slow: in a plain file the one record is replaced in the bytes.
        if (mode == kRebuild_Write && parsed == mDocument)
        {
            if (ReplaceInPlace(*parsed, key, value))
                return store(operation);
        }
        sRebuildResult rebuilt = Rebuild(*parsed, key, value, static_cast<eRebuild>(mode));
        if (damaged)
        {
            sRebuildResult failure;
            failure.errorType = parsed->errorType;
            failure.errorMessage = parsed->errorMessage;
            LogXMLError(operation, mName, failure);
            mDamagedToKeep = true;
            mDamagedBytes = parsed->bytes;
        }
        mDocument = ReadBack(std::move(rebuilt.document));
        return store(operation);
    }

    void Account::noteUnsaved(std::wstring const& key)
    {
        if (std::find(mUnsaved.begin(), mUnsaved.end(), key) == mUnsaved.end())
            mUnsaved.push_back(key);
    }

    bool Account::keepDamagedCopy(char const* operation)
    {
        FileAddress const damagedCopy = DamagedCopyFor(mFile);
        if (SaveAtomically(damagedCopy, mDamagedBytes, kReplace_Overwrite) != kReplaceResult_Done)
            return false;
        Internal::LogWrite("Corvane::Account::%s: the damaged file was kept as '%ls%ls'.\n", operation,
                           damagedCopy.GetName().c_str(), damagedCopy.GetExtension().c_str());
        mDamagedToKeep = false;
        mDamagedBytes.clear();
        return true;
    }

    bool Account::store(char const* operation)
    {
        // Until the file takes them, the kept document is the account: a failed write loses
        // nothing the child earned while the game runs, and the next write tries again.
        mPending = true;
        if (mDeferrals > 0)
            return true;
        if ((mDamagedToKeep && !keepDamagedCopy(operation)) ||
            SaveAtomically(mFile, mDocument->bytes, kReplace_Overwrite) != kReplaceResult_Done)
        {
            LogUnwritten(operation, *this);
            return false;
        }
        mPending = false;
        mUnsaved.clear();
        IFileSystem* const fileSystem = GetFileSystem();
        mDocument->stamped = fileSystem && fileSystem->GetFileStamp(&mFile, &mDocument->stamp);
        std::vector<Account*> others;
        others.swap(mAlsoMarkedCurrent);
        for (Account* other : others)
        {
            // Chosen since (the player switched to it): its mark is the one to keep.
            if (other->IsCurrent())
                continue;
            if (!other->WriteValue(AccountManager::kIsCurrentKey, false))
                mAlsoMarkedCurrent.push_back(other);
        }
        return true;
    }

    bool Account::SaveUnsaved()
    {
        if (!mPending || !mDocument || mDeferrals > 0)
            return mUnsaved.empty();
        return store("WriteValue");
    }

    bool Account::endDeferral()
    {
        if (mDeferrals > 0)
            --mDeferrals;
        if (mDeferrals > 0 || !mPending || !mDocument)
            return true;
        return store("WriteValue");
    }

    Account::DeferredWrites::DeferredWrites(Account* account) : mAccount(account)
    {
        if (mAccount)
            ++mAccount->mDeferrals;
    }

    Account::DeferredWrites::~DeferredWrites()
    {
        Finish();
    }

    bool Account::DeferredWrites::Finish()
    {
        Account* const account = mAccount;
        mAccount = nullptr;
        return account ? account->endDeferral() : true;
    }

    bool Account::writeValue(wchar_t const* key, std::wstring const& value)
    {
        if (!key)
            return false;
        return rewrite("WriteValue", key, value, kRebuild_Write);
    }

    bool Account::WriteValue(wchar_t const* key, std::wstring const& value)
    {
        return writeValue(key, value);
    }

    bool Account::WriteValue(wchar_t const* key, wchar_t const* value)
    {
        return writeValue(key, value ? std::wstring(value) : std::wstring());
    }

    bool Account::WriteValue(wchar_t const* key, int value)
    {
        return writeValue(key, StringFormatter(L"%1:d%").Arg(value).c_str());
    }

    bool Account::WriteValue(wchar_t const* key, float value)
    {
        return writeValue(key, StringFormatter(L"%1%").Arg(value).c_str());
    }

    bool Account::WriteValue(wchar_t const* key, bool value)
    {
        return writeValue(key, value ? L"true" : L"false");
    }

    bool Account::DeleteValue(wchar_t const* key)
    {
        if (!key)
            return false;
        return rewrite("DeleteValue", key, std::wstring(), kRebuild_Delete);
    }

    IStream* Account::OpenValueStream(wchar_t const* key)
    {
        if (!key)
            return nullptr;
        return new AccountValueStream(this, key);
    }

    unsigned long Account::ReadBinary(wchar_t const* key, void* buffer, unsigned long size)
    {
        if (!key || (!buffer && size > 0))
            return 0;
        // Reading needs no write-back: the value is decoded straight from the record.
        MemoryStream bytes(L"Account Value");
        Base64::Decode(ReadValue(key), &bytes);
        bytes.Seek(kSeekBegin, 0);
        return static_cast<unsigned long>(bytes.Read(buffer, size));
    }

    unsigned long Account::WriteBinary(wchar_t const* key, void const* buffer, unsigned long size)
    {
        if (!key || (!buffer && size > 0))
            return 0;
        // One rewrite that replaces the record in place: deleting first would lose the old
        // value if the second write failed.
        MemoryStream bytes(L"Account Value");
        if (size > 0)
            bytes.Write(buffer, size);
        bytes.Seek(kSeekBegin, 0);
        return writeValue(key, Base64::Encode(&bytes)) ? size : 0;
    }
}
