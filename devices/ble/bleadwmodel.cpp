#include "devices/ble/bleadwmodel.h"

BLEAdwModel::BLEAdwModel(QWidget *parent) : QWidget(parent) {}
