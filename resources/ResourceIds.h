#pragma once

// Resource ids and types shared by the resource script and the code.
#define IDI_SETUP 1
#define RT_PAYLOAD 257
