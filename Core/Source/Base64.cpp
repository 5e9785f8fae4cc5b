#include "Core/Source/Base64.h"

namespace Corvane
{
    namespace
    {
        const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

        struct base64_encodestate
        {
            // Which byte of a 3-byte group comes next.
            int step;
            // Bits carried into the next output character.
            signed char carry;
            // Groups completed; lines are never broken.
            int groups;
        };

        struct base64_decodestate
        {
            // Which character of a 4-character group comes next.
            int step;
            unsigned char byte;
        };

        std::wstring base64_encode_block(IStream* source, base64_encodestate& state)
        {
            std::wstring text;
            int step = state.step;
            int carry = state.carry;
            while (!source->IsEOF())
            {
                unsigned char byte = 0;
                if (source->Read(&byte, 1) != 1)
                    break;
                switch (step)
                {
                case 0:
                    text += wchar_t(kAlphabet[byte >> 2]);
                    carry = (byte & 3) << 4;
                    step = 1;
                    break;
                case 1:
                    text += wchar_t(kAlphabet[carry | byte >> 4]);
                    carry = (byte & 15) << 2;
                    step = 2;
                    break;
                default:
                    text += wchar_t(kAlphabet[carry | byte >> 6]);
                    text += wchar_t(kAlphabet[byte & 63]);
                    ++state.groups;
                    step = 0;
                    break;
                }
            }
            state.step = step;
            state.carry = static_cast<signed char>(carry);
            return text;
        }

        std::wstring base64_encode_blockend(const base64_encodestate& state)
        {
            std::wstring text;
            if (state.step == 1)
            {
                text += wchar_t(kAlphabet[state.carry]);
                text += L"==";
            }
            else if (state.step == 2)
            {
                text += wchar_t(kAlphabet[state.carry]);
                text += L"=";
            }
            return text;
        }

        int DecodeValue(wchar_t character)
        {
            if (character >= L'A' && character <= L'Z')
                return character - L'A';
            if (character >= L'a' && character <= L'z')
                return character - L'a' + 26;
            if (character >= L'0' && character <= L'9')
                return character - L'0' + 52;
            if (character == L'+')
                return 62;
            if (character == L'/')
                return 63;
            return -1;
        }

        void WriteByte(IStream* target, unsigned char byte)
        {
            target->Write(&byte, 1);
        }

        void base64_decode_block(const std::wstring& text, IStream* target, base64_decodestate& state)
        {
            for (wchar_t character : text)
            {
                int value = DecodeValue(character);
                if (value < 0)
                    continue;
                switch (state.step)
                {
                case 0:
                    state.byte = static_cast<unsigned char>(value << 2);
                    state.step = 1;
                    break;
                case 1:
                    WriteByte(target, static_cast<unsigned char>(state.byte | (value & 0x30) >> 4));
                    state.byte = static_cast<unsigned char>((value & 15) << 4);
                    state.step = 2;
                    break;
                case 2:
                    WriteByte(target, static_cast<unsigned char>(state.byte | (value & 0x3C) >> 2));
                    state.byte = static_cast<unsigned char>((value & 3) << 6);
                    state.step = 3;
                    break;
                default:
                    WriteByte(target, static_cast<unsigned char>(state.byte | value));
                    state.step = 0;
                    break;
                }
            }
        }
    }

    namespace Base64
    {
        std::wstring Encode(IStream* source)
        {
            base64_encodestate state = {0, 0, 0};
            std::wstring text = base64_encode_block(source, state);
            return text + base64_encode_blockend(state);
        }

        void Decode(const std::wstring& text, IStream* target)
        {
            base64_decodestate state = {0, 0};
            base64_decode_block(text, target, state);
        }

        int ValueOf(wchar_t character)
        {
            return DecodeValue(character);
        }
    }
}
