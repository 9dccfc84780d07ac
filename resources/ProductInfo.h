#pragma once

// The product's name: the last folder of every install folder (the
// destination page's default, and the one a chosen folder is given), the
// Start-menu folder and its main shortcut.
#define PRODUCT_NAME "Vantorelle"
// The installed program, which the file types open and the main shortcut
// starts, and its help file, which the other shortcut opens; manifest.txt
// carries both under these names.
#define PRODUCT_PROGRAM_FILE PRODUCT_NAME ".exe"
#define PRODUCT_HELP_FILE PRODUCT_NAME ".hlp"

// The product's version and copyright notice, written once: the version
// resource of Setup.exe shows them, and the Start-menu shortcuts carry the
// notice followed directly by the version text as their description.
#define PRODUCT_COPYRIGHT_NOTICE "Copyright (c) Vantorelle"
#define PRODUCT_VERSION_TEXT "2.0"
#define PRODUCT_VERSION_NUMBERS 2, 0, 0, 0
