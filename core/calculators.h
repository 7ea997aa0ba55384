#pragma once

#include "calculator_form.h"
#include "form_exchange.h"

// The three Calculate buttons. Each makes a read pass, computes on the form
// one rounded double operation at a time, and makes a write pass only when
// it produced a result.
void OnCalculateRatio(CalculatorForm& form, FormExchange& window);
void OnCalculateWavelength(CalculatorForm& form, FormExchange& window);
void OnCalculateAntenna(CalculatorForm& form, FormExchange& window);
