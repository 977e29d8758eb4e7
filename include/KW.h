#ifndef KW_H
#define KW_H

/// Everything a client of Kwadro_ANSI needs: #include <KW.h> and link Kwadro_ANSI.
/// Every text the API takes or returns is in the process's ANSI code page (CP_ACP): UTF-8, and so any
/// script, in a program whose manifest declares activeCodePage UTF-8. Such a program runs its message
/// loop with GetMessageW and DispatchMessageW, which deliver typed characters whole.
#include "KWTypes.h"
#include "KWTheme.h"
#include "KWObject.h"
#include "Kwadro.h"
#include "KWContext.h"
#include "KWImageList.h"
#include "KWWindow.h"
#include "KWPanel.h"
#include "KWGroupBox.h"
#include "KWHeader.h"
#include "KWDock.h"
#include "KWTab.h"
#include "KWRollout.h"
#include "KWSplitter.h"
#include "KWSpinBox.h"
#include "KWOpenButton.h"
#include "KWButton.h"
#include "KWCheckBox.h"
#include "KWRadio.h"
#include "KWEdit.h"
#include "KWText.h"
#include "KWComboBox.h"
#include "KWListBox.h"
#include "KWStatus.h"
#include "KWToolBar.h"
#include "KWTreeView.h"
#include "KWGraphPoint.h"
#include "KWFloatGraph.h"
#include "KWPropertyRecords.h"
#include "KWProperties.h"
#include "KWColorPoint.h"
#include "KWColorPicker.h"
#include "KWColorButton.h"
#include "KWColorButtons.h"
#include "KWColorEdit.h"

#endif
