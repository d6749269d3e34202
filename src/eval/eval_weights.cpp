#include "eval/eval_weights.h"

EvalWeights eval_weights = DEFAULT_EVAL_WEIGHTS;
