#!/usr/bin/env python3
"""Writes the profiles of corpus/, the differential test's input.

The files are kept in the repository; this script is their source, since
many hold bytes no editor keeps (NUL, CR alone, Ctrl-Z, UTF-16, invalid
UTF-8). Run it from anywhere after changing a case: it rewrites corpus/.
"""
import pathlib
import shutil

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"

UTF8_BOM = b"\xef\xbb\xbf"


def lines(*rows, end="\r\n"):
    return end.join(rows) + end


def ansi(text):
    return text.encode("cp1252")


def utf8(text):
    return text.encode("utf-8")


def utf16le(text):
    return b"\xff\xfe" + text.encode("utf-16-le", "surrogatepass")


def utf16be(text):
    return b"\xfe\xff" + text.encode("utf-16-be", "surrogatepass")


LAUNCHER = lines(
    "[DIALOG]",
    "Show=1",
    "DefaultAction=setup.exe",
    "BackColor=16,32,64",
    "Picture=splash.bmp",
    "Caption={caption}",
    "[BUTTON1]",
    "Show=1",
    "Caption={button}",
    "Action=setup\\install.exe /q",
    "[BUTTON2]",
    "Show=0",
    "[BUTTON3]",
    "Show=True",
    "Caption=Readme",
    "Action=notepad readme.txt",
    "[BUTTON4]",
    "Show=false",
)


def launcher(caption, button):
    return LAUNCHER.format(caption=caption, button=button)


CASES = {
    # --- layout, blanks, line ends
    "01-launcher-ascii.ini": ansi(launcher("Orvex Setup", "Install")),
    "02-blanks-and-tabs.ini": ansi(lines(
        "  [DIALOG]  ",
        "  Show  =  1  ",
        "\tCaption\t=\tHello   World\t",
        "Back Color = 16, 32, 64",
        "Picture\t\t=\t\t  pic .bmp  \t",
        "\t \t",
        "key with  blanks  inside = value with  blanks  inside ",
    )),
    "03-line-ends-lf.ini": ansi(lines("[DIALOG]", "Show=1", "Caption=LF only", end="\n")),
    "04-line-ends-cr.ini": ansi(lines("[DIALOG]", "Show=1", "Caption=CR only", end="\r")),
    "05-line-ends-mixed.ini": ansi(
        "[DIALOG]\r\nShow=1\nCaption=mixed\rPicture=a.bmp\n\rBackColor=1\r\r\n"
        "[BUTTON1]\n\n\nShow=0\r\n\r\n\rCaption=after blank lines"),
    "06-no-final-line-end.ini": ansi("[DIALOG]\r\nShow=1\r\nCaption=no line end at the end"),
    "07-blank-lines-only.ini": ansi("\r\n \r\n\t\r\n  \t  \r\n"),
    "08-empty-file.ini": b"",
    # --- sections
    "09-section-blanks.ini": ansi(lines(
        "[ DIALOG ]",
        "Show=1",
        "[\tBUTTON1\t]",
        "Show=2",
        "[BUTTON 2]",
        "Show=3",
        "   [BUTTON3]   ",
        "Show=4",
        "[ ]",
        "Show=5",
        "[]",
        "Show=6",
    )),
    "10-brackets-odd.ini": ansi(lines(
        "[DIALOG",
        "Show=1",
        "[A]]",
        "a=1",
        "[[B]]",
        "b=2",
        "[C] text after the bracket",
        "c=3",
        "[D]=4",
        "d=4",
        "[E=5]",
        "e=5",
        "[F=6",
        "f]=7",
        "x[G]",
        "g=8",
    )),
    "11-duplicate-sections.ini": ansi(lines(
        "[DIALOG]",
        "Show=1",
        "[BUTTON1]",
        "Show=1",
        "[dialog]",
        "Show=0",
        "Caption=only in the second DIALOG",
        "[DIALOG]",
        "Picture=only in the third",
    )),
    "12-missing-sections.ini": ansi(lines("[DIALOG]", "Show=1", "[BUTTON1]", "Show=1")),
    "13-keys-before-section.ini": ansi(lines(
        "Show=0",
        "Caption=before any section",
        "=no name",
        "[DIALOG]",
        "Show=1",
        "[]",
        "Caption=in an empty-named section",
    )),
    "14-section-names-odd.ini": ansi(lines(
        "[BUTTON1 ]",
        "Show=1",
        "[BUTTON1;x]",
        "Show=2",
        "[a=b]",
        "Show=3",
        "[;comment]",
        "Show=4",
        "[Button1]",
        "Show=5",
        "[" + "S" * 300 + "]",
        "Show=6",
    )),
    "15-many-sections.ini": ansi(launcher("Many", "One") + lines(
        "[BUTTON5]", "Show=1", "[BUTTON10]", "Show=1", "[BUTTON01]", "Show=1")),
    # --- keys
    "16-duplicate-keys.ini": ansi(lines(
        "[DIALOG]",
        "Show=1",
        "Show=0",
        "SHOW=2",
        "show =3",
        "Caption=first",
        "CAPTION=second",
    )),
    "17-no-equals-lines.ini": ansi(lines(
        "[DIALOG]",
        "Show",
        "Show=1",
        "just some text",
        "Caption=shown",
        "Picture",
    )),
    "18-empty-key-names.ini": ansi(lines(
        "[DIALOG]",
        "=first empty",
        "=second empty",
        " = third empty",
        "Show=1",
        "==",
    )),
    "19-equals-in-values.ini": ansi(lines(
        "[DIALOG]",
        "DefaultAction=setup.exe /opt=1 /b==2",
        "a==b",
        "k= =x",
        "Caption= = ",
        "URL=http://example.invalid/?a=1&b=2",
    )),
    "20-key-names-odd.ini": ansi(lines(
        "[DIALOG]",
        "a b=1",
        "a\tb=2",
        "[k]=3",
        '"Show"=4',
        "'Caption'=5",
        "Show;x=6",
        "Ke y =7",
        "k" * 300 + "=long name",
    )),
    "21-comments.ini": ansi(lines(
        "; a comment before any section",
        "[DIALOG]",
        ";Show=0",
        "Show=1",
        "  ;Caption=commented",
        "#Picture=hash.bmp",
        "Caption=Title ; not a comment",
        "; Picture = spaced comment",
        "Picture=a.bmp",
        "rem BackColor=1",
    )),
    # --- values
    "22-empty-values.ini": ansi(lines(
        "[DIALOG]",
        "Show=",
        "Caption =   ",
        "Picture=\t",
        'DefaultAction=""',
        "BackColor=''",
    )),
    "23-quotes-double.ini": ansi(lines(
        "[Q]",
        'a="abc"',
        'b=""',
        'c=" padded "',
        'd="a"b"',
        'e="abc',
        'f=abc"',
        'g="',
        'h=""""',
        'i= "x" ',
        'j="x" y',
        'k=x "y"',
    )),
    "24-quotes-single.ini": ansi(lines(
        "[Q]",
        "a='abc'",
        "b=''",
        "c=' padded '",
        "d='a'b'",
        "e='abc",
        "f=abc'",
        "g='",
        "h=''''",
    )),
    "25-quotes-mixed.ini": ansi(lines(
        "[Q]",
        "a=\"abc'",
        "b='abc\"",
        "c=\"'\"",
        "d='\"'",
        "e=\"it's\"",
        "f='say \"hi\"'",
        "g=`abc`",
    )),
    # Values 6 to 9 long, bare and quoted, against capacity 8 (room for 7).
    "26-cut-small.ini": ansi(lines(
        "[CUT]",
        "b6=abcdef",
        "b7=abcdefg",
        "b8=abcdefgh",
        "b9=abcdefghi",
        'q5="abcde"',
        'q6="abcdef"',
        'q7="abcdefg"',
        'q8="abcdefgh"',
        "s6='abcdef'",
        "s7='abcdefg'",
    )),
    # Values around 254 against capacity 255, and longer than 4096.
    "27-cut-long.ini": ansi(lines(
        "[CUT]",
        "b253=" + "x" * 253,
        "b254=" + "x" * 254,
        "b255=" + "x" * 255,
        "b256=" + "x" * 256,
        "b300=" + "0123456789" * 30,
        'q253="' + "y" * 253 + '"',
        'q254="' + "y" * 254 + '"',
        'q255="' + "y" * 255 + '"',
        "b5000=" + "abcdefghij" * 500,
    )),
    "28-long-line-no-equals.ini": ansi(lines(
        "[DIALOG]", "z" * 5000, "Show=1", "  " + " " * 3000 + "Caption=after blanks")),
    "29-value-blanks-inside-quotes.ini": ansi(lines(
        "[DIALOG]",
        'Caption = "  padded  "',
        "Picture='  '",
        'Action = " a " b "',
        'Show="1"',
    )),
    # --- odd characters
    "30-nul-bytes.ini": ansi(
        "[DIALOG]\r\nShow=1\x002\r\nCap\x00tion=hidden key\r\nPicture=pic \x00.bmp\r\n"
        "[BUT\x00TON1]\r\nShow=1\r\n[A \x00B]\r\nk=1\r\nkey \x00x=2\r\n\x00lead=3\r\n"),
    "31-control-characters.ini": ansi(
        "[DIALOG]\r\n\x0b\x0cShow\x0b=\x0c1\x1a\r\n\x1cCaption\x1c=\x1d2\x1f\r\n"
        "Picture=\xa0nbsp\xa0\r\n[\x1aBUTTON1\x1a]\r\nShow=1\r\n\x1a"),
    # --- ANSI (Windows-1252)
    "32-ansi-letters.ini": ansi(lines(
        "[DIALOG]",
        "Show=1",
        "Caption=Café Grüße façade",
        "[ÜBER]",
        "Größe=groß",
        "Name=Zoë",
        "[über]",
        "Größe=klein",
    )),
    "33-ansi-all-high-bytes.ini": b"[HIGH]\r\n" + b"".join(
        b"x%02X=" % row + bytes(range(row, row + 16)) + b"\r\n" for row in range(0x80, 0x100, 16)),
    "34-ansi-e9-launcher.ini": b"[DIALOG]\r\nShow=1\r\nCaption=Caf\xe9\r\n[BUTTON1]\r\n"
                               b"Show=1\r\nCaption=\xc9t\xe9\r\nAction=exit\r\n",
    "35-ansi-looks-utf8-but-invalid.ini": utf8(launcher("Grüße", "日本語")) + b"Note=\xe9t\xe9\r\n",
    # --- UTF-8
    "36-utf8-no-bom.ini": utf8(launcher("Grüße 日本語", "Grüße 日本語")),
    "37-utf8-bom.ini": UTF8_BOM + utf8(launcher("Grüße 日本語", "Grüße 日本語")),
    "38-utf8-bom-keys-first.ini": UTF8_BOM + utf8(lines(
        "Show=0", "Caption=before the first section", "[DIALOG]", "Show=1", "Caption=Ünïcödé")),
    "39-utf8-no-bom-names.ini": utf8(lines(
        "[Übersicht]",
        "Größe=groß",
        "[日本語]",
        "名前=値",
        "[DIALOG]",
        "Caption=  «Grüße» 😀 ",
        "Emoji=😀😀😀😀😀",
        "Quoted=\"Grüße\"",
    )),
    "40-utf8-bom-invalid-bytes.ini": UTF8_BOM + b"[DIALOG]\r\nShow=1\r\n"
                                     b"Lone=a\xc3b\r\nCut=\xe2\x82c\r\nLead=x\xffy\r\n"
                                     b"Overlong=\xc0\xafz\r\n",
    "41-utf8-no-bom-cut.ini": utf8(lines(
        "[CUT]",
        "e7=ééééééé",
        "e8=éééééééé",
        "j4=日本語日本語日",
        "emoji3=😀😀😀",
        "emoji4=😀😀😀😀",
        "q=\"😀😀😀\"",
    )),
    # --- UTF-16
    "42-utf16le-launcher.ini": utf16le(launcher("Grüße 日本語", "Grüße 日本語")),
    "43-utf16be-launcher.ini": utf16be(launcher("Grüße 日本語", "Grüße 日本語")),
    "44-utf16le-surrogates.ini": utf16le(lines(
        "[DIALOG]",
        "Emoji=😀😀😀😀😀",
        "Split=abcdef😀",
        "Lone=a\ud800b",
        "LoneLow=a\udc00b",
        "[😀]",
        "k😀=v",
    )),
    "45-utf16le-lf-tabs.ini": utf16le(lines(
        "\t[DIALOG]\t", "\tShow\t=\t1\t", "Caption\t=\t\"Tabbed\"\t", end="\n")),
    "46-utf16le-unicode-blanks.ini": utf16le(lines(
        "[DIALOG]",
        "\u3000Show\u3000=\u30001\u3000",
        "\u00a0Caption\u00a0=\u00a0nbsp\u00a0",
        "Picture\u2003=\u2003em\u2003",
        "Action=\u0085next line\u0085",
        "\ufeffBackColor=zero width",
    )),
    "47-utf16le-bom-only.ini": b"\xff\xfe",
    "48-utf8-bom-only.ini": UTF8_BOM,
    "49-utf16le-nul-and-controls.ini": utf16le(
        "[DIALOG]\r\nShow=1\x002\r\n\x1aCaption\x1a=\x1aok\x1a\r\n[A\x00B]\r\nk=1\r\n"),
    # --- letter case
    "50-case-ascii.ini": ansi(lines(
        "[dialog]",
        "SHOW=1",
        "caption=lower-case key",
        "[Button1]",
        "sHoW=1",
        "CaPtIoN=mixed",
    )),
    "51-case-beyond-ascii.ini": utf16le(lines(
        "[ÜBERSICHT]",
        "Größe=groß",
        "Titel=Übersicht",
        "[Заголовок]",
        "Имя=Иван",
        "[ΕΛΛΗΝΙΚΑ]",
        "όνομα=Αλέξανδρος",
        "[DIALOG]",
        "ſhow=long s is not s",
        "ınfo=dotless i is not i",
        "SHOW=ascii show",
        "INFO=ascii info",
    )),
    "52-many-keys.ini": ansi("[DIALOG]\r\n" + "".join(f"Key{n}=value {n}\r\n" for n in range(150))),
}


def main():
    if CORPUS.exists():
        shutil.rmtree(CORPUS)
    CORPUS.mkdir()
    for name, data in sorted(CASES.items()):
        (CORPUS / name).write_bytes(data)
    print(f"{len(CASES)} profiles in {CORPUS}")


if __name__ == "__main__":
    main()
