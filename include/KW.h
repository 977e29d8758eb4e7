#ifndef KW_H
#define KW_H

// Everything a client of Kwadro_ANSI needs: #include <KW.h> and link Kwadro_ANSI.
#include "KWTypes.h"
#include "KWObject.h"
#include "Kwadro.h"
#include "KWContext.h"
#include "KWImageList.h"
#include "KWWindow.h"
#include "KWPanel.h"
#include "KWGroupBox.h"
#include "KWHeader.h"
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

#endif
