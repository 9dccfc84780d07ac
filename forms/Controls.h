#pragma once

// Every control of the form layer.
#include "forms/FileCtrls.h"
#include "forms/GraphicCtrls.h"
#include "forms/StdCtrls.h"
