#include "gvmain/format/condition_expression.h"

#include <array>
#include <limits>
#include <vector>

namespace gvmain {
namespace {

enum class Op {
    Multiply,
    Divide,
    Add,
    Subtract,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    BitAnd,
    BitXor,
    BitOr,
    And,
    Or,
    Not,
    Open
};

int Precedence(Op op) {
    switch (op) {
    case Op::Not: return 10;
    case Op::Multiply:
    case Op::Divide: return 9;
    case Op::Add:
    case Op::Subtract: return 8;
    case Op::Less:
    case Op::LessEqual:
    case Op::Greater:
    case Op::GreaterEqual: return 7;
    case Op::Equal:
    case Op::NotEqual: return 6;
    case Op::BitAnd: return 5;
    case Op::BitXor: return 4;
    case Op::BitOr: return 3;
    case Op::And: return 2;
    case Op::Or: return 1;
    case Op::Open: return 0;
    }
    return 0;
}

enum class TokenKind { Number, Name, Open, Close, Not, Binary, End, Error };

struct Token {
    TokenKind kind = TokenKind::Error;
    Op op = Op::Open;
    int32_t number = 0;
    std::string name;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

class Lexer {
public:
    explicit Lexer(const std::string& text) : text_(text) {}

    Token Next() {
        while (at_ < text_.size() && IsBlank(text_[at_]))
            ++at_;
        Token token;
        if (at_ == text_.size()) {
            token.kind = TokenKind::End;
        } else if (IsDigit(text_[at_])) {
            ReadNumber(token);
        } else if (IsNameStart(text_[at_])) {
            size_t start = at_;
            while (at_ < text_.size() && (IsNameStart(text_[at_]) || IsDigit(text_[at_])))
                ++at_;
            token.kind = TokenKind::Name;
            token.name = text_.substr(start, at_ - start);
        } else {
            ReadSymbol(token);
        }
        return token;
    }

private:
    void ReadNumber(Token& token) {
        int64_t value = 0;
        while (at_ < text_.size() && IsDigit(text_[at_])) {
            value = value * 10 + (text_[at_++] - '0');
            if (value > std::numeric_limits<int32_t>::max())
                return;  // an error token
        }
        token.kind = TokenKind::Number;
        token.number = static_cast<int32_t>(value);
    }

    bool Take(char c) {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    void Binary(Token& token, Op op) {
        token.kind = TokenKind::Binary;
        token.op = op;
    }

    void ReadSymbol(Token& token) {
        char c = text_[at_++];
        switch (c) {
        case '(': token.kind = TokenKind::Open; return;
        case ')': token.kind = TokenKind::Close; return;
        case '*': Binary(token, Op::Multiply); return;
        case '/': Binary(token, Op::Divide); return;
        case '+': Binary(token, Op::Add); return;
        case '-': Binary(token, Op::Subtract); return;
        case '^': Binary(token, Op::BitXor); return;
        case '<': Binary(token, Take('=') ? Op::LessEqual : Op::Less); return;
        case '>': Binary(token, Take('=') ? Op::GreaterEqual : Op::Greater); return;
        case '&': Binary(token, Take('&') ? Op::And : Op::BitAnd); return;
        case '|': Binary(token, Take('|') ? Op::Or : Op::BitOr); return;
        case '=':
            if (Take('='))
                Binary(token, Op::Equal);
            return;
        case '!':
            if (Take('='))
                Binary(token, Op::NotEqual);
            else
                token.kind = TokenKind::Not;
            return;
        default: return;
        }
    }

    const std::string& text_;
    size_t at_ = 0;
};

// An operand's value, or the failure that evaluating it would give; a
// failure only counts when the operator needs the operand.
struct Operand {
    int32_t value = 0;
    bool failed = false;
};

int32_t Wrap(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

Operand Apply(Op op, Operand left, Operand right) {
    if (left.failed)
        return left;
    int32_t a = left.value;
    switch (op) {
    case Op::And:
        if (a == 0)
            return {0, false};
        return right.failed ? right : Operand{right.value != 0, false};
    case Op::Or:
        if (a != 0)
            return {1, false};
        return right.failed ? right : Operand{right.value != 0, false};
    case Op::Divide:
        if (a == 0)
            return {0, false};
        if (right.failed || right.value == 0)
            return {0, true};
        return {Wrap(int64_t{a} / right.value), false};
    default: break;
    }
    if (right.failed)
        return right;
    int32_t b = right.value;
    switch (op) {
    case Op::Multiply: return {Wrap(int64_t{a} * b), false};
    case Op::Add: return {Wrap(int64_t{a} + b), false};
    case Op::Subtract: return {Wrap(int64_t{a} - b), false};
    case Op::Less: return {a < b, false};
    case Op::LessEqual: return {a <= b, false};
    case Op::Greater: return {a > b, false};
    case Op::GreaterEqual: return {a >= b, false};
    case Op::Equal: return {a == b, false};
    case Op::NotEqual: return {a != b, false};
    case Op::BitAnd: return {a & b, false};
    case Op::BitXor: return {a ^ b, false};
    case Op::BitOr: return {a | b, false};
    default: return {0, true};
    }
}

class Parser {
public:
    Parser(const std::string& text, const Variables& variables) : lexer_(text), variables_(variables) {}

    // False on a syntax error; otherwise `result` holds the value or failure.
    bool Parse(Operand& result) {
        bool expectOperand = true;
        for (;;) {
            Token token = lexer_.Next();
            if (expectOperand) {
                if (!TakeOperand(token, expectOperand))
                    return false;
                continue;
            }
            if (token.kind == TokenKind::Binary) {
                if (!ReduceWhile(Precedence(token.op)))
                    return false;
                operators_.push_back(token.op);
                expectOperand = true;
            } else if (token.kind == TokenKind::Close) {
                if (!ReduceWhile(1) || operators_.empty())
                    return false;
                operators_.pop_back();
            } else if (token.kind == TokenKind::End) {
                if (!ReduceWhile(1) || !operators_.empty() || count_ != 1)
                    return false;
                result = operands_[0];
                return true;
            } else {
                return false;
            }
        }
    }

private:
    bool TakeOperand(const Token& token, bool& expectOperand) {
        switch (token.kind) {
        case TokenKind::Open: operators_.push_back(Op::Open); return true;
        case TokenKind::Not: operators_.push_back(Op::Not); return true;
        case TokenKind::Number: expectOperand = false; return Push({token.number, false});
        case TokenKind::Name: {
            expectOperand = false;
            const int32_t* variable = variables_.IntVariable(token.name);
            return Push(variable != nullptr ? Operand{*variable, false} : Operand{0, true});
        }
        default: return false;
        }
    }

    bool Push(Operand operand) {
        if (count_ == operands_.size())
            return false;
        operands_[count_++] = operand;
        return true;
    }

    // Applies the stacked operators that bind at least as tightly as
    // `precedence` (an opening parenthesis stops it).
    bool ReduceWhile(int precedence) {
        while (!operators_.empty() && operators_.back() != Op::Open &&
               Precedence(operators_.back()) >= precedence) {
            Op op = operators_.back();
            operators_.pop_back();
            if (op == Op::Not) {
                if (count_ < 1)
                    return false;
                Operand& top = operands_[count_ - 1];
                if (!top.failed)
                    top.value = top.value == 0;
                continue;
            }
            if (count_ < 2)
                return false;
            Operand right = operands_[--count_];
            operands_[count_ - 1] = Apply(op, operands_[count_ - 1], right);
        }
        return true;
    }

    Lexer lexer_;
    const Variables& variables_;
    std::array<Operand, maxConditionOperands> operands_{};
    size_t count_ = 0;
    std::vector<Op> operators_;
};

}  // namespace

bool EvalCondition(const std::string& text, const Variables& variables, int32_t& result,
                   const ErrorReport& report) {
    Operand value;
    if (!Parser(text, variables).Parse(value)) {
        report(FillIn(syntaxErrorMessage, text));
        return false;
    }
    if (value.failed) {
        report(FillIn(unknownVariableMessage, text));
        return false;
    }
    result = value.value;
    return true;
}

}  // namespace gvmain
