#include "MenuBar.h"
