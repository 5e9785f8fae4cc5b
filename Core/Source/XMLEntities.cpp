#include "Core/Source/XMLEntities.h"

#include <cstdint>
#include <map>

namespace Corvane
{
    namespace
    {
        const wchar_t kReplacement = 0xFFFD;
        const wchar_t kLargestCodePoint = 0x10FFFF;

        int DigitValue(wchar_t character)
        {
            if (character >= L'0' && character <= L'9')
                return character - L'0';
            if (character >= L'a' && character <= L'z')
                return character - L'a' + 10;
            if (character >= L'A' && character <= L'Z')
                return character - L'A' + 10;
            return -1;
        }

        // A numeric character reference starting at text[start]: blanks, then letters and
        // digits worth 0-35 each, up to the first other character. References to nothing,
        // to a surrogate or beyond Unicode become U+FFFD rather than a NUL or a value that no
        // encoder can write.
        wchar_t DecodeReference(const std::wstring& text, size_t start, int base)
        {
            size_t i = start;
            while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
                ++i;
            uint32_t value = 0;
            bool tooLarge = false;
            for (; i < text.size(); ++i)
            {
                int digit = DigitValue(text[i]);
                if (digit < 0)
                    break;
                if (!tooLarge)
                {
                    value = value * uint32_t(base) + uint32_t(digit);
                    tooLarge = value > uint32_t(kLargestCodePoint);
                }
            }
            if (tooLarge || value == 0 || (value >= 0xD800 && value <= 0xDFFF))
                return kReplacement;
            return wchar_t(value);
        }
    }

    namespace Internal
    {
        // The Latin-1 and special character entities of HTML 4.01, plus apos, trade and hellip.
        const sXMLEntity kXMLEntities[kXMLEntityCount] = {
            {L"quot", 34}, {L"apos", 39}, {L"amp", 38}, {L"lt", 60}, {L"gt", 62},
            {L"nbsp", 160}, {L"iexcl", 161}, {L"curren", 164}, {L"cent", 162}, {L"pound", 163},
            {L"yen", 165}, {L"brvbar", 166}, {L"sect", 167}, {L"uml", 168}, {L"copy", 169},
            {L"ordf", 170}, {L"laquo", 171}, {L"not", 172}, {L"shy", 173}, {L"reg", 174},
            {L"trade", 8482}, {L"macr", 175}, {L"deg", 176}, {L"plusmn", 177}, {L"sup2", 178},
            {L"sup3", 179}, {L"acute", 180}, {L"micro", 181}, {L"para", 182}, {L"middot", 183},
            {L"cedil", 184}, {L"sup1", 185}, {L"ordm", 186}, {L"raquo", 187}, {L"frac14", 188},
            {L"frac12", 189}, {L"frac34", 190}, {L"iquest", 191}, {L"times", 215}, {L"divide", 247},
            {L"Agrave", 192}, {L"Aacute", 193}, {L"Acirc", 194}, {L"Atilde", 195}, {L"Auml", 196},
            {L"Aring", 197}, {L"AElig", 198}, {L"Ccedil", 199}, {L"Egrave", 200}, {L"Eacute", 201},
            {L"Ecirc", 202}, {L"Euml", 203}, {L"Igrave", 204}, {L"Iacute", 205}, {L"Icirc", 206},
            {L"Iuml", 207}, {L"ETH", 208}, {L"Ntilde", 209}, {L"Ograve", 210}, {L"Oacute", 211},
            {L"Ocirc", 212}, {L"Otilde", 213}, {L"Ouml", 214}, {L"Oslash", 216}, {L"Ugrave", 217},
            {L"Uacute", 218}, {L"Ucirc", 219}, {L"Uuml", 220}, {L"Yacute", 221}, {L"THORN", 222},
            {L"szlig", 223}, {L"agrave", 224}, {L"aacute", 225}, {L"acirc", 226}, {L"atilde", 227},
            {L"auml", 228}, {L"aring", 229}, {L"aelig", 230}, {L"ccedil", 231}, {L"egrave", 232},
            {L"eacute", 233}, {L"ecirc", 234}, {L"euml", 235}, {L"igrave", 236}, {L"iacute", 237},
            {L"icirc", 238}, {L"iuml", 239}, {L"eth", 240}, {L"ntilde", 241}, {L"ograve", 242},
            {L"oacute", 243}, {L"ocirc", 244}, {L"otilde", 245}, {L"ouml", 246}, {L"oslash", 248},
            {L"ugrave", 249}, {L"uacute", 250}, {L"ucirc", 251}, {L"uuml", 252}, {L"yacute", 253},
            {L"thorn", 254}, {L"yuml", 255}, {L"OElig", 338}, {L"oelig", 339}, {L"Scaron", 352},
            {L"scaron", 353}, {L"Yuml", 376}, {L"circ", 710}, {L"tilde", 732}, {L"ensp", 8194},
            {L"emsp", 8195}, {L"thinsp", 8201}, {L"zwnj", 8204}, {L"zwj", 8205}, {L"lrm", 8206},
            {L"rlm", 8207}, {L"ndash", 8211}, {L"mdash", 8212}, {L"lsquo", 8216}, {L"rsquo", 8217},
            {L"sbquo", 8218}, {L"ldquo", 8220}, {L"rdquo", 8221}, {L"bdquo", 8222}, {L"dagger", 8224},
            {L"Dagger", 8225}, {L"hellip", 8230}, {L"permil", 8240}, {L"lsaquo", 8249}, {L"rsaquo", 8250},
            {L"euro", 8364},
        };

        bool LookUpXMLEntity(const std::wstring& name, wchar_t& character)
        {
            // Built on first use; function-local so that it never runs before the table exists.
            static const std::map<std::wstring, wchar_t> entities = [] {
                std::map<std::wstring, wchar_t> map;
                for (const sXMLEntity& entity : kXMLEntities)
                    map[entity.name] = entity.character;
                return map;
            }();
            std::map<std::wstring, wchar_t>::const_iterator found = entities.find(name);
            if (found == entities.end())
                return false;
            character = found->second;
            return true;
        }

        std::wstring DecodeXMLEntities(const std::wstring& text)
        {
            std::wstring decoded;
            decoded.reserve(text.size());
            size_t i = 0;
            while (i < text.size())
            {
                if (text[i] != L'&')
                {
                    decoded += text[i++];
                    continue;
                }
                size_t semicolon = text.find(L';', i + 1);
                size_t stop = semicolon == std::wstring::npos ? text.size() : semicolon;
                if (i + 1 < text.size() && text[i + 1] == L'#')
                {
                    size_t start = i + 2;
                    int base = 10;
                    if (start < text.size() && text[start] == L'x')
                    {
                        base = 16;
                        ++start;
                    }
                    decoded += DecodeReference(text, start, base);
                }
                else
                {
                    std::wstring name = text.substr(i + 1, stop - (i + 1));
                    wchar_t character = 0;
                    if (LookUpXMLEntity(name, character))
                        decoded += character;
                    else
                        decoded += L"!" + name + L"!";
                }
                // An entity without its ';' took the rest of the text.
                i = semicolon == std::wstring::npos ? text.size() : semicolon + 1;
            }
            return decoded;
        }
    }
}
