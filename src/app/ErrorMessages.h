#pragma once

#include <QString>

#include <exception>

class QWidget;

// The two messages with which the program reports an error that escaped an
// event handler: one for failed arithmetic, one for anything else.
QString calculationErrorMessage();
QString generalErrorMessage();

// Shows the message that fits `error` as an information box.
void showErrorMessage(QWidget *parent, std::exception_ptr error);
