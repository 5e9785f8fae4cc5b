#include "Core/Source/Error.h"

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/Thread.h"

namespace Corvane
{

RuntimeError::RuntimeError(std::wstring const& message, char const* file, int line, char const* function)
    : std::runtime_error(TruncateStringWideToASCII(message))
    , mLine(0)
{
    RecordLocation(file, line, function);
}

RuntimeError::RuntimeError(std::string const& message, char const* file, int line, char const* function)
    : std::runtime_error(message)
    , mLine(0)
{
    RecordLocation(file, line, function);
}

RuntimeError::RuntimeError(wchar_t const* message, char const* file, int line, char const* function)
    : std::runtime_error(message ? TruncateStringWideToASCII(message) : std::string())
    , mLine(0)
{
    RecordLocation(file, line, function);
}

RuntimeError::RuntimeError(char const* message, char const* file, int line, char const* function)
    : std::runtime_error(message ? message : "")
    , mLine(0)
{
    RecordLocation(file, line, function);
}

void RuntimeError::RecordLocation(char const* file, int line, char const* function)
{
    mFile = file ? file : "";
    mLine = line;
    mFunction = function ? function : "";
}

void LogRuntimeError(RuntimeError const& error)
{
    Internal::LogWrite("%s\n  in %s\n  at %s(%d)\n", error.what(), error.GetFunction().c_str(),
                       error.GetFile().c_str(), error.GetLine());
}

IErrorStatus::IErrorStatus() : mMutex(CreateMutex()), mLastError(0)
{
}

IErrorStatus::~IErrorStatus()
{
    try
    {
        delete mMutex;
    }
    catch (std::exception const& error)
    {
        Internal::LogWrite("Could not release the lock of an error status: %s\n", error.what());
    }
    catch (...)
    {
        Log("Could not release the lock of an error status.\n");
    }
}

bool IErrorStatus::HasErrorOccurred()
{
    return GetLastError() < 0;
}

int IErrorStatus::GetLastError()
{
    ScopedLock lock(mMutex);
    return mLastError;
}

void IErrorStatus::ClearError()
{
    ScopedLock lock(mMutex);
    mLastError = 0;
}

void IErrorStatus::SetLastError(int code)
{
    ScopedLock lock(mMutex);
    mLastError = code;
}

} // namespace Corvane
