#ifndef KW_H
#define KW_H

// Everything a client of Kwadro_ANSI needs: #include <KW.h> and link Kwadro_ANSI.
#include "KWTypes.h"
#include "KWObject.h"
#include "Kwadro.h"
#include "KWContext.h"
#include "KWImageList.h"
#include "KWWindow.h"
#include "KWColorPoint.h"
#include "KWColorPicker.h"
#include "KWColorButton.h"
#include "KWColorButtons.h"
#include "KWColorEdit.h"

#endif
