#pragma once

// The product's version and copyright notice, written once: the version
// resource of Setup.exe shows them, and the Start-menu shortcuts carry the
// notice followed directly by the version text as their description.
#define PRODUCT_COPYRIGHT_NOTICE "Copyright (c) Vantorelle"
#define PRODUCT_VERSION_TEXT "2.0"
#define PRODUCT_VERSION_NUMBERS 2, 0, 0, 0
