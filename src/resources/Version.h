// The program's version data and application settings, shared by the C++ runtime and the
// Windows resource script: plain macros only.
#pragma once

#define KIMORO_TITLE "きもろ"

#define KIMORO_VERSION_MAJOR 1
#define KIMORO_VERSION_MINOR 4
#define KIMORO_VERSION_BUILD 0
#define KIMORO_VERSION_REVISION 53

// The "041104B0" string block (Japanese, UTF-16), in this order.
#define KIMORO_VERSION_BLOCK "041104B0"
#define KIMORO_COMMENTS "プログラムの勉強のために作ったソフトです。"
#define KIMORO_COMPANY_NAME " "
#define KIMORO_FILE_DESCRIPTION "こんなの誰にでも作れますね。"
#define KIMORO_LEGAL_COPYRIGHT "Copyright (C) 2000 きもろ制作委員会"
#define KIMORO_LEGAL_TRADEMARKS KIMORO_TITLE
#define KIMORO_PRODUCT_NAME KIMORO_TITLE " for Windows 9x"
#define KIMORO_FILE_VERSION "1.04.0053"
#define KIMORO_PRODUCT_VERSION "1.04.0053"
#define KIMORO_INTERNAL_NAME "kimoro"
#define KIMORO_ORIGINAL_FILENAME "kimoro.exe"
